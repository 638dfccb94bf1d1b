#pragma once
// What the XML layer raises when a call through it fails, without the platform: the walks
// of a loaded tree catch this, and build anywhere. On Windows what is raised is an
// XmlAccessError (xml/XmlAccessError.h), which carries the DOM's status.
#include <exception>

class XmlError : public std::exception {
public:
    [[nodiscard]] const char* what() const noexcept override { return "XML access error"; }
};

// Raises the null-reference error (E_POINTER on Windows): a call through an empty reference.
[[noreturn]] void RaiseNullReference();
