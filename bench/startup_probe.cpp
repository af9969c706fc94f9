// Measures a program's start-up from outside, through the X server: the time from just before
// the fork until the program has drawn into its top-level window of the given name, and its
// peak resident memory by then.
//
// Why this way: polling with xdotool or xwininfo costs a process start per try and sees the map,
// not the paint. Listening on the root window for CreateNotify/MapNotify and attaching a DAMAGE
// object to each new top-level window reports the first drawing into the window as it happens,
// with no polling and nothing added to the program measured. Damage is attached at creation,
// before the window can be mapped, so the first paint cannot slip past.
//
// Usage: startup_probe [--settle MS] WINDOW_NAME -- COMMAND [ARGS...]
// Prints: startup_ms=<ms> map_ms=<ms> hwm_kb=<VmHWM> rss_kb=<VmRSS>
// VmHWM is read after MS milliseconds (default 300) of idling after the paint, so that work the
// program defers past its first paint is counted too; then the program is ended.
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <poll.h>
#include <set>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTimeout = std::chrono::seconds(20);

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    auto cookie = xcb_intern_atom(connection, 0, std::strlen(name), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::string WindowName(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property,
                       xcb_atom_t type)
{
    auto cookie = xcb_get_property(connection, 0, window, property, type, 0, 256);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(connection, cookie, nullptr), &std::free);
    if (!reply)
        return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       xcb_get_property_value_length(reply.get()));
}

// The kB figure of a line such as "VmHWM:   41234 kB" in /proc/PID/status.
long StatusKilobytes(pid_t pid, const std::string& key)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(key + ":", 0) == 0)
            return std::strtol(line.c_str() + key.size() + 1, nullptr, 10);
    }
    return -1;
}

int Fail(const char* message, pid_t child)
{
    std::fprintf(stderr, "startup_probe: %s\n", message);
    if (child > 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    int settleMs = 300;
    int arg = 1;
    if (arg + 1 < argc && std::strcmp(argv[arg], "--settle") == 0) {
        settleMs = std::atoi(argv[arg + 1]);
        arg += 2;
    }
    if (arg + 2 >= argc || std::strcmp(argv[arg + 1], "--") != 0) {
        std::fprintf(stderr, "usage: %s [--settle MS] WINDOW_NAME -- COMMAND [ARGS...]\n", argv[0]);
        return 2;
    }
    const std::string wantedName = argv[arg];
    char** command = argv + arg + 2;

    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return Fail("cannot connect to the X server ($DISPLAY)", 0);
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection, &xcb_damage_id);
    if (!damage || !damage->present)
        return Fail("the X server has no DAMAGE extension", 0);
    std::free(xcb_damage_query_version_reply(connection, xcb_damage_query_version(connection, 1, 1),
                                             nullptr));
    const uint8_t damageNotify = damage->first_event + XCB_DAMAGE_NOTIFY;
    const xcb_atom_t netWmName = Atom(connection, "_NET_WM_NAME");
    const xcb_atom_t utf8String = Atom(connection, "UTF8_STRING");

    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    if (std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error(
            xcb_request_check(connection, xcb_change_window_attributes_checked(
                                              connection, root, XCB_CW_EVENT_MASK, &rootMask)),
            &std::free);
        error)
        return Fail("cannot listen on the root window", 0);

    const Clock::time_point start = Clock::now();
    const pid_t child = fork();
    if (child < 0)
        return Fail("fork failed", 0);
    if (child == 0) {
        close(xcb_get_file_descriptor(connection));
        execvp(command[0], command);
        std::perror(command[0]);
        _exit(127);
    }

    std::set<xcb_window_t> watched;
    xcb_window_t target = XCB_WINDOW_NONE;
    std::optional<double> mapMs;
    std::optional<double> paintMs;
    pollfd events{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (!paintMs) {
        if (Clock::now() - start > kTimeout)
            return Fail("no paint into the window within the time limit", child);
        if (waitpid(child, nullptr, WNOHANG) == child)
            return Fail("the program ended before painting its window", 0);
        poll(&events, 1, 50);
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                // InputOnly helper windows refuse a damage object; the error is harmless.
                xcb_damage_create(connection, xcb_generate_id(connection), created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                watched.insert(created->window);
                xcb_flush(connection);
            } else if (type == XCB_MAP_NOTIFY && target == XCB_WINDOW_NONE) {
                auto* mapped = reinterpret_cast<xcb_map_notify_event_t*>(event);
                const double at = MillisecondsSince(start);
                std::string name = WindowName(connection, mapped->window, netWmName, utf8String);
                if (name.empty())
                    name =
                        WindowName(connection, mapped->window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
                if (name == wantedName && watched.count(mapped->window)) {
                    target = mapped->window;
                    mapMs = at;
                }
            } else if (type == damageNotify) {
                auto* damaged = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                if (damaged->drawable == target)
                    paintMs = MillisecondsSince(start);
            }
            std::free(event);
        }
    }

    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
    const long hwm = StatusKilobytes(child, "VmHWM");
    const long rss = StatusKilobytes(child, "VmRSS");
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    xcb_disconnect(connection);
    std::printf("startup_ms=%.2f map_ms=%.2f hwm_kb=%ld rss_kb=%ld\n", *paintMs, *mapMs, hwm, rss);
    return 0;
}
