#pragma once

#include <stdexcept>
#include <string>

// Raised when code asks for a control or object that does not exist.
class NilObjectException : public std::runtime_error
{
public:
    explicit NilObjectException(const std::string& what)
        : std::runtime_error(what)
    {
    }
};
