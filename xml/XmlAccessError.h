#pragma once
// The error the XML layer raises when a call into the DOM component fails. It never
// crosses an interface of the library: XmlDocument::Load, MessageTable::LoadFile and
// the directory reader catch it.
#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include "xml/XmlError.h"

class XmlAccessError : public XmlError {
public:
    explicit XmlAccessError(HRESULT status, Microsoft::WRL::ComPtr<IErrorInfo> errorInfo = nullptr)
        : status(status), errorInfo(std::move(errorInfo)) {}

    [[nodiscard]] HRESULT Status() const { return status; }
    [[nodiscard]] IErrorInfo* ErrorInfo() const { return errorInfo.Get(); }

private:
    HRESULT status;
    Microsoft::WRL::ComPtr<IErrorInfo> errorInfo;
};

// Raises an XmlAccessError for a failing status, with the error information of the
// failed call when `object` says it supports error information for `iid`.
void CheckXmlCall(HRESULT status, IUnknown* object, REFIID iid);
