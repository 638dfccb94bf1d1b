#pragma once
// Text at the boundary to the XML component: UTF-16 strings there, code page text here.
#include <windows.h>
#include <oleauto.h>

#include <string>

// An owned BSTR.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(BSTR s) : s_(s) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { ::SysFreeString(s_); }
    [[nodiscard]] BSTR Get() const { return s_; }
    BSTR* Out() {
        ::SysFreeString(s_);
        s_ = nullptr;
        return &s_;
    }

private:
    BSTR s_ = nullptr;
};

// Code page text to a new UTF-16 string; raises XmlAccessError when it cannot.
[[nodiscard]] BSTR WidenText(const std::string& text);
// UTF-16 to code page text; unmapped characters become the code page's default
// character; a null string is the empty text. Raises XmlAccessError when it cannot.
[[nodiscard]] std::string NarrowText(BSTR text);
