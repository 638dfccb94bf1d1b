// Times the contact picker on a large directory against the bare platform costs it
// stands on: MSXML loading both files, inserting that many tree items, and inserting
// list rows with redraw suspended once. Writes its directory files beside itself,
// which is where the picker looks for them.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "BenchCommon.h"
#include "directory/Company.h"
#include "directory/DirectoryReader.h"
#include "directory/HostDirectory.h"
#include "framework/ListView.h"
#include "framework/TreeView.h"
#include "picker/ContactPickerDialog.h"
#include "res/resource.h"
#include "xml/XmlFile.h"

using namespace bench;

namespace {


// ---- The picker ----

struct PickerTimes {
    double ready = -1;
    double move = -1;
    int movedRows = -1;
};

double pickerStart = 0;
PickerTimes pickerTimes;
HHOOK initHook = nullptr;

// The dialog manager activates the picker right after its WM_INITDIALOG returns. A CBT
// hook is called only for such events; a hook on every message would slow them all.
LRESULT CALLBACK OnActivate(int code, WPARAM wParam, LPARAM lParam) {
    const auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && window != nullptr && pickerTimes.ready < 0 &&
        ::GetDlgItem(window, IDC_CHOSEN_LIST) != nullptr)
        pickerTimes.ready = Now() - pickerStart;
    return ::CallNextHookEx(initHook, code, wParam, lParam);
}

BOOL CALLBACK MatchPicker(HWND window, LPARAM found) {
    if (::GetDlgItem(window, IDC_CHOSEN_LIST) == nullptr) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND FindPicker() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchPicker, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK MoveLargerCompany(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    HWND picker = FindPicker();
    if (picker == nullptr) return;
    const TreeView tree(::GetDlgItem(picker, IDC_COMPANY_TREE));
    tree.SelectItem(tree.GetRoot());
    pickerTimes.move = Time([&] { ::SendMessageA(::GetDlgItem(picker, IDC_MOVE), BM_CLICK, 0, 0); });
    pickerTimes.movedRows = ListView(::GetDlgItem(picker, IDC_CHOSEN_LIST)).GetItemCount();
    ::PostMessageA(picker, WM_COMMAND, IDOK, 0);
}

PickerTimes RunPicker() {
    pickerTimes = PickerTimes{};
    ContactPickerDialog picker("nobody");
    initHook = ::SetWindowsHookExA(WH_CBT, OnActivate, nullptr, ::GetCurrentThreadId());
    ::SetTimer(nullptr, 0, 10, MoveLargerCompany);
    pickerStart = Now();
    const INT_PTR result = picker.DoModal(nullptr);
    ::UnhookWindowsHookEx(initHook);
    if (result != IDOK) std::printf("the picker ended with %d\n", static_cast<int>(result));
    return pickerTimes;
}

}  // namespace

int main(int argc, char** argv) {
    ReadArguments(argc, argv);
    ::CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);

    GeneratedDirectory directory;
    if (!WriteGeneratedDirectory(directory)) return 1;
    const std::vector<Company>& companies = directory.companies;
    const std::vector<ContactGroup>& friends = directory.friends;
    const std::string& folder = directory.folder;

    bool loaded = true;
    const double loads = MedianTime([&] {
        return Time([&] {
            loaded = LoadXml(folder + "\\DepartmentInfo.xml") && LoadXml(folder + "\\FriendsInfo.xml") && loaded;
        });
    });
    if (!loaded) std::printf("MSXML failed to load the files\n");
    const double fileBytes = MedianTime([&] {
        return Time([&] {
            loaded = ReadXmlFile(folder + "\\DepartmentInfo.xml") && ReadXmlFile(folder + "\\FriendsInfo.xml") && loaded;
        });
    });
    const double parses = MedianTime([&] {
        return Time([&] {
            loaded = ParseXml(folder + "\\DepartmentInfo.xml") && ParseXml(folder + "\\FriendsInfo.xml") && loaded;
        });
    });
    if (!loaded) std::printf("the reader failed to parse the files\n");
    int treeItems = 0;
    const double tree = MedianTime([&] { return BareTreeInsertion(companies, friends, &treeItems); });
    const double rows20000 = MedianTime([] { return BareListRows(20000, 3); });
    const double rowsMoved = MedianTime([] { return BareListRows(CompanyPeople(0), 3); });
    // Part of what the picker's start costs: the directory reader's walk of both files.
    const double reading = MedianTime([&] {
        return Time([&] {
            std::vector<Company> c;
            std::vector<ContactGroup> f;
            GetDirectoryReader().ReadDepartments(folder + "\\DepartmentInfo.xml", c);
            GetDirectoryReader().ReadFriends(folder + "\\FriendsInfo.xml", f);
        });
    });
    std::vector<double> ready, move;
    int movedRows = 0;
    for (int i = 0; i < runs; ++i) {
        const PickerTimes run = RunPicker();
        ready.push_back(run.ready);
        move.push_back(run.move);
        movedRows = i == 0 ? run.movedRows : std::min(movedRows, run.movedRows);
    }
    const PickerTimes picker{Median(ready), Median(move), movedRows};

    std::printf("medians of %d runs:\n", runs);
    std::printf("bare MSXML load of both files:                  %8.1f ms\n", loads);
    std::printf("reading both files' bytes:                      %8.1f ms\n", fileBytes);
    std::printf("the layer's reader, both files (read + parse):  %8.1f ms\n", parses);
    std::printf("bare insertion of %5d tree items:              %8.1f ms\n", treeItems, tree);
    std::printf("bare insertion of 20000 list rows:              %8.1f ms\n", rows20000);
    std::printf("bare insertion of %5d list rows (the move's):  %8.1f ms\n", CompanyPeople(0), rowsMoved);
    std::printf("directory reader, both files (part of ready):   %8.1f ms\n", reading);
    std::printf("picker ready (OnInitDialog done):               %8.1f ms\n", picker.ready);
    std::printf("moving the larger company (%5d rows):         %8.1f ms\n", picker.movedRows, picker.move);
    std::printf("goals:\n");
    Verdict("picker ready within 2x (loads + tree items)", picker.ready, 2 * (loads + tree));
    Verdict("move within 2x its bare rows", picker.move, 2 * rowsMoved);
    Verdict("directory reader within a fifth of the MSXML load", reading, loads / 5);
    std::printf("peak working set: %.1f MiB\n", PeakWorkingSetMiB());
    const bool moved = picker.movedRows == CompanyPeople(0);
    if (!moved) std::printf("the move put %d rows on the list, not %d\n", picker.movedRows, CompanyPeople(0));
    ::CoUninitialize();
    return loaded && moved ? 0 : 1;
}
