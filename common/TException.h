#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

// The program's one error type. Its message is the text shown to the user, unchanged.
class TException : public std::runtime_error {
public:
    explicit TException(const std::string& Message) : std::runtime_error(Message) {}
};

// Fills "%s" and "%d" of a message text from Args, in order; "%%" stands for one "%".
std::string Format(std::string_view Text, std::initializer_list<std::string_view> Args = {});

[[noreturn]] void Raise(std::string_view Text, std::initializer_list<std::string_view> Args = {});
