#pragma once
// Message maps as static tables, one line per entry, in the manner of:
//
//   const MessageMap<ConferenceDialog> ConferenceDialog::messageMap = {
//       OnMessage(WM_SIZE, &ConferenceDialog::OnSize),
//       OnCommand(1005, BN_CLICKED, &ConferenceDialog::OnAddMembers),
//       OnNotify(1008, NM_CLICK, &ConferenceDialog::OnListClick),
//   };
//
// A notification handler takes the notification's own structure (NMHDR, or one that
// begins with it such as NMITEMACTIVATE) and returns the notification's result.
// A handler that wants the default processing first calls Default() itself.
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <initializer_list>
#include <type_traits>
#include <vector>

template <class T>
struct MessageMapEntry {
    enum class Kind { Message, Command, Notify };
    Kind kind;
    UINT message;
    UINT id;
    UINT code;
    std::function<LRESULT(T&, LPARAM)> handle;
};

template <class T>
MessageMapEntry<T> OnMessage(UINT message, void (T::*handler)()) {
    return {MessageMapEntry<T>::Kind::Message, message, 0, 0, [handler](T& target, LPARAM) {
                (target.*handler)();
                return LRESULT{0};
            }};
}

template <class T>
MessageMapEntry<T> OnCommand(UINT id, UINT code, void (T::*handler)()) {
    return {MessageMapEntry<T>::Kind::Command, WM_COMMAND, id, code, [handler](T& target, LPARAM) {
                (target.*handler)();
                return LRESULT{0};
            }};
}

// NMHDR itself, or a structure whose first member `hdr` is one.
template <class Info, class = void>
struct IsNotification : std::is_same<Info, NMHDR> {};
template <class Info>
struct IsNotification<Info, std::void_t<decltype(Info::hdr)>> : std::is_same<decltype(Info::hdr), NMHDR> {};
// A custom-draw structure, which begins with NMCUSTOMDRAW (a trait of its own: clang
// takes two void_t specialisations of one template for the same one).
template <class Info, class = void>
struct IsCustomDraw : std::false_type {};
template <class Info>
struct IsCustomDraw<Info, std::void_t<decltype(Info::nmcd)>> : std::is_same<decltype(Info::nmcd), NMCUSTOMDRAW> {};
template <class Info>
inline constexpr bool kBeginsWithNmhdr = IsNotification<Info>::value || IsCustomDraw<Info>::value;

template <class T, class Info>
MessageMapEntry<T> OnNotify(UINT id, UINT code, LRESULT (T::*handler)(const Info&)) {
    static_assert(kBeginsWithNmhdr<Info>, "a notification structure begins with its NMHDR");
    // The one place where a notification's header is read as its full structure.
    return {MessageMapEntry<T>::Kind::Notify, WM_NOTIFY, id, code, [handler](T& target, LPARAM lParam) {
                return (target.*handler)(*reinterpret_cast<const Info*>(lParam));
            }};
}

// A notification the handler answers by filling in its structure (LVN_GETDISPINFO).
template <class T, class Info>
MessageMapEntry<T> OnNotify(UINT id, UINT code, LRESULT (T::*handler)(Info&)) {
    static_assert(kBeginsWithNmhdr<Info>, "a notification structure begins with its NMHDR");
    return {MessageMapEntry<T>::Kind::Notify, WM_NOTIFY, id, code, [handler](T& target, LPARAM lParam) {
                return (target.*handler)(*reinterpret_cast<Info*>(lParam));
            }};
}

template <class T>
class MessageMap {
public:
    MessageMap(std::initializer_list<MessageMapEntry<T>> entries) : entries_(entries) {}

    // True when an entry took the message; `result` is then the message's result.
    bool Dispatch(T& target, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) const {
        for (const MessageMapEntry<T>& entry : entries_) {
            if (entry.message != message || !Matches(entry, wParam, lParam)) continue;
            result = entry.handle(target, lParam);
            return true;
        }
        return false;
    }

private:
    static bool Matches(const MessageMapEntry<T>& entry, WPARAM wParam, LPARAM lParam) {
        using Kind = typename MessageMapEntry<T>::Kind;
        switch (entry.kind) {
        case Kind::Command:
            return LOWORD(wParam) == entry.id && HIWORD(wParam) == entry.code;
        case Kind::Notify: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            return header != nullptr && header->idFrom == entry.id && header->code == entry.code;
        }
        case Kind::Message:
            break;
        }
        return true;
    }

    std::vector<MessageMapEntry<T>> entries_;
};
