#pragma once
// Message maps as static tables, one line per entry, in the manner of:
//
//   const MessageMap<ConferenceDialog> ConferenceDialog::messageMap = {
//       OnMessage(WM_SIZE, &ConferenceDialog::OnSize),
//       OnCommand(1005, BN_CLICKED, &ConferenceDialog::OnAddMembers),
//       OnNotify(1008, NM_CLICK, &ConferenceDialog::OnListClick),
//   };
//
// A handler that wants the default processing first calls Default() itself.
#include <windows.h>
#include <commctrl.h>
#include <initializer_list>
#include <vector>

template <class T>
struct MessageMapEntry {
    enum class Kind { Message, Command, Notify };
    Kind kind;
    UINT message;
    UINT id;
    UINT code;
    void (T::*plain)();
    void (T::*notify)(NMHDR*, LRESULT*);
};

template <class T>
MessageMapEntry<T> OnMessage(UINT message, void (T::*handler)()) {
    return {MessageMapEntry<T>::Kind::Message, message, 0, 0, handler, nullptr};
}

template <class T>
MessageMapEntry<T> OnCommand(UINT id, UINT code, void (T::*handler)()) {
    return {MessageMapEntry<T>::Kind::Command, WM_COMMAND, id, code, handler, nullptr};
}

template <class T>
MessageMapEntry<T> OnNotify(UINT id, UINT code, void (T::*handler)(NMHDR*, LRESULT*)) {
    return {MessageMapEntry<T>::Kind::Notify, WM_NOTIFY, id, code, nullptr, handler};
}

template <class T>
class MessageMap {
public:
    MessageMap(std::initializer_list<MessageMapEntry<T>> entries) : entries_(entries) {}

    // True when an entry took the message; `result` is then the message's result.
    bool Dispatch(T& target, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) const {
        for (const MessageMapEntry<T>& entry : entries_) {
            if (entry.message != message) continue;
            using Kind = typename MessageMapEntry<T>::Kind;
            switch (entry.kind) {
            case Kind::Message:
                (target.*entry.plain)();
                result = 0;
                return true;
            case Kind::Command:
                if (LOWORD(wParam) != entry.id || HIWORD(wParam) != entry.code) continue;
                (target.*entry.plain)();
                result = 0;
                return true;
            case Kind::Notify: {
                auto* header = reinterpret_cast<NMHDR*>(lParam);
                if (header == nullptr || header->idFrom != entry.id || header->code != entry.code) continue;
                result = 0;
                (target.*entry.notify)(header, &result);
                return true;
            }
            }
        }
        return false;
    }

private:
    std::vector<MessageMapEntry<T>> entries_;
};
