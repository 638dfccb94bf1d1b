#include "picker/ChosenList.h"

#include <algorithm>

#include "picker/PickerRules.h"
#include "res/resource.h"
#include "text/MessageIds.h"
#include "text/MessageTable.h"

namespace {

constexpr DWORD kChosenListStyles = LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_FULLROWSELECT;

}  // namespace

ChosenList::ChosenList()
    : rows(
          {
              {kCentredColumn, 70, [](const ContactEntry& e) { return e.displayName(); }, {}, {}},
              {kCentredColumn, 100, RowKey, {}, {}},
              {kCentredColumn, 100, [](const ContactEntry& e) { return e.groupName(); }, {}, {}},
          },
          [this](const ContactEntry& gone) { ids.Remove(gone); }) {}

void ChosenList::Attach(HWND picker, int dpi) {
    rows.Attach(Window(picker).Item<ListView>(IDC_CHOSEN_LIST));
    rows.View().AddExtendedStyle(kChosenListStyles);
    rows.InsertColumns({GetMessageText(messages::kChosenNameHeading), GetMessageText(messages::kChosenNumberHeading),
                        GetMessageText(messages::kGroupHeading)},
                       dpi);
}

void ChosenList::ShowEntries() {
    ids.Rebuild(rows.Rows());
    rows.ShowRows();
}

void ChosenList::Append(const ContactEntry& entry) {
    rows.Rows().push_back(entry);
    ids.Add(entry);
}

void ChosenList::AppendUnlessListed(const ContactEntry& entry) {
    const std::vector<ContactEntry>& chosen = rows.Rows();
    const auto same = [&entry](const ContactEntry& other) {
        return other.name() == entry.name() && other.uri() == entry.uri() && other.displayName() == entry.displayName();
    };
    if (std::none_of(chosen.begin(), chosen.end(), same)) Append(entry);
}

const char* ChosenList::AddTyped(const std::string& name, const std::string& number) {
    if (const char* refusal = TypedPersonRefusal(name, number, rows.Rows())) return refusal;
    const Batch batch(*this);
    Append(MakeTypedPerson(name, number));
    return nullptr;
}
