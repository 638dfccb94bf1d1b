#pragma once
// Owner of one BSTR, and the conversions between the process's ANSI code page and
// UTF-16 that every text crossing into or out of the DOM goes through.
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <utility>

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(BSTR owned) : value(owned) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : value(std::exchange(other.value, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept {
        if (this != &other) {
            ::SysFreeString(value);
            value = std::exchange(other.value, nullptr);
        }
        return *this;
    }
    ~Bstr() { ::SysFreeString(value); }

    [[nodiscard]] BSTR Get() const { return value; }
    // For out parameters: frees what is held first.
    [[nodiscard]] BSTR* Out() {
        ::SysFreeString(value);
        value = nullptr;
        return &value;
    }
    [[nodiscard]] BSTR Release() { return std::exchange(value, nullptr); }

    // The 8-bit text, read in the ANSI code page up to its terminating zero.
    [[nodiscard]] static Bstr FromAnsi(const std::string& text);
    // The text in the ANSI code page; unmappable characters become its default character.
    [[nodiscard]] std::string ToAnsi() const;
    // Whether ToAnsi() would equal `text`. Names in documents are nearly always ASCII,
    // which compares unit by byte without converting anything.
    [[nodiscard]] bool EqualsAnsi(const std::string& text) const;

private:
    BSTR value = nullptr;
};
