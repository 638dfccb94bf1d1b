#pragma once
#include <windows.h>

#include <exception>

// A failing call at the boundary to the XML component, with its status code.
class XmlAccessError : public std::exception {
public:
    explicit XmlAccessError(HRESULT status) : status_(status) {}
    [[nodiscard]] HRESULT Status() const { return status_; }
    const char* what() const noexcept override { return "XML access error"; }

private:
    HRESULT status_;
};

// Raises an XmlAccessError for a failing status; passes success codes (S_FALSE included).
inline HRESULT CheckXml(HRESULT status) {
    if (FAILED(status)) throw XmlAccessError(status);
    return status;
}
