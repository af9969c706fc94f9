#include "framework/Dispatch.h"

#include "framework/CommandStates.h"
#include "framework/MsgBox.h"

#include <cstdlib>
#include <cxxabi.h>
#include <exception>
#include <memory>
#include <typeinfo>

namespace {

QString demangled(const char* name)
{
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> readable(
        abi::__cxa_demangle(name, nullptr, nullptr, &status), &std::free);
    return QString::fromUtf8(status == 0 && readable ? readable.get() : name);
}

void reportUnhandled(const QString& exception, const QString& detail)
{
    MsgBox(QStringLiteral("Unhandled exception: %1\n%2").arg(exception, detail));
}

} // namespace

void Dispatch(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        reportUnhandled(demangled(typeid(e).name()), QString::fromUtf8(e.what()));
    } catch (...) {
        const std::type_info* type = abi::__cxa_current_exception_type();
        reportUnhandled(type ? demangled(type->name()) : QStringLiteral("unknown"), {});
    }
    // Whatever the handler changed, the menu items follow.
    CommandStatesChanged();
}
