#include "xml/XmlAccessError.h"

void CheckXmlCall(HRESULT status, IUnknown* object, REFIID iid) {
    if (SUCCEEDED(status)) return;
    Microsoft::WRL::ComPtr<IErrorInfo> errorInfo;
    Microsoft::WRL::ComPtr<ISupportErrorInfo> support;
    if (object != nullptr &&
        SUCCEEDED(object->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(support.GetAddressOf()))) &&
        support->InterfaceSupportsErrorInfo(iid) == S_OK) {
        ::GetErrorInfo(0, errorInfo.GetAddressOf());
    }
    throw XmlAccessError(status, std::move(errorInfo));
}

void RaiseNullReference() { throw XmlAccessError(E_POINTER); }
