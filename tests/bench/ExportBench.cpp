// Times what a host waits for through the export, on a generated directory of 20,000
// people (or the number given as the first argument), against floors measured in the
// same run: the platform DOM's load of each file, reading the files' bytes, the
// layer's reader, and the bare insertion of the rows and tree items shown. Writes its
// directory files beside itself, the host folder of the library it loads, and measures
// in a second run of itself that holds no generated data.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BenchCommon.h"
#include "Quorvel.h"
#include "directory/DirectoryReader.h"
#include "directory/HostDirectory.h"
#include "framework/ThreadWindows.h"
#include "res/resource.h"
#include "xml/XmlFile.h"

using namespace bench;

namespace {

constexpr int kMembers = 15000;
constexpr int kTickMs = 5;
constexpr int kDeleteProbe = 100;  // rows deleted first, to see whether all can be waited for

// ---- Driving the dialogs from inside their modal loops ----

using CreateConference = ConferenceRecord* (*)(HWND, const ConferenceRecord*, const char*);
CreateConference createConference = nullptr;  // the export of Quorvel.dll, loaded as a host loads it

// The visible dialog of this thread that has a control `id`.
HWND FindDialogWith(int id) {
    return FindThreadWindow([id](HWND w) { return ::IsWindowVisible(w) && ::GetDlgItem(w, id) != nullptr; });
}

HWND Conference() { return FindDialogWith(IDC_MEMBER_LIST); }
HWND Picker() { return FindDialogWith(IDC_CHOSEN_LIST); }

int Rows(HWND dialog, int list) {
    return static_cast<int>(::SendDlgItemMessageA(dialog, list, LVM_GETITEMCOUNT, 0, 0));
}

void SelectRows(HWND dialog, int list, int from, int to) {
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    item.state = 0;
    ::SendDlgItemMessageA(dialog, list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    item.state = LVIS_SELECTED;
    for (int row = from; row < to; ++row)
        ::SendDlgItemMessageA(dialog, list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// Posted, so that a modal loop it opens runs in the dialog's own loop.
void PostClick(HWND dialog, int id) { ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// A step returns true when done, false to be tried again on the next tick. Timer ticks
// come when a dialog's loop has nothing else to do, its first painting done: a dialog
// is ready when a tick first sees it.
std::vector<std::function<bool()>> steps;
size_t nextStep = 0;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    static bool running = false;
    if (running) return;
    running = true;
    while (nextStep < steps.size() && steps[nextStep]()) ++nextStep;
    running = false;
}

double callStarted = 0;

// Makes `call` with `script` running on the thread's timer.
void RunWithTicks(const std::function<void()>& call, std::vector<std::function<bool()>> script) {
    steps = std::move(script);
    nextStep = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, kTickMs, Tick);
    callStarted = Now();
    call();
    ::KillTimer(nullptr, timer);
    if (nextStep < steps.size()) std::printf("the call returned at step %d of %d\n", static_cast<int>(nextStep),
                                             static_cast<int>(steps.size()));
}

void RunExport(const ConferenceRecord* record, std::vector<std::function<bool()>> script) {
    RunWithTicks([record] { createConference(nullptr, record, "10001"); }, std::move(script));
}

// ---- The bare dialogs: the library's own templates under a procedure that does nothing ----

HMODULE library = nullptr;

INT_PTR CALLBACK BareChild(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// The conference template gets the time control inside it, as the library's dialog does.
INT_PTR CALLBACK BareDialog(HWND dialog, UINT message, WPARAM, LPARAM embedTimeControl) {
    if (message != WM_INITDIALOG) return FALSE;
    if (embedTimeControl != 0)
        ::CreateDialogParamA(library, MAKEINTRESOURCEA(IDD_TIME_CONTROL), dialog, BareChild, 0);
    return TRUE;
}

// What the window system alone takes to make a template's dialog and paint it first,
// until a tick sees it: the floor of every "ready".
double BareDialogReady(int templateId, int control) {
    double ready = -1;
    RunWithTicks(
        [templateId] {
            ::DialogBoxParamA(library, MAKEINTRESOURCEA(templateId), nullptr, BareDialog,
                              templateId == IDD_CONFERENCE ? 1 : 0);
        },
        {[&] {
            const HWND dialog = FindDialogWith(control);
            if (dialog == nullptr) return false;
            ready = Now() - callStarted;
            ::EndDialog(dialog, IDCANCEL);
            return true;
        }});
    return ready;
}

// ---- The roads ----

struct Roads {
    double readyEmpty = -1;
    double readyWithRecord = -1;
    int rowsFromRecord = -1;
    double addToPickerReady = -1;
    int presetRows = -1;
    double pickerOk = -1;
    int rowsAfterOk = -1;
    double pickerRemove = -1;
    int removedRows = -1;
    double dialogDelete = -1;
    int deletedRows = -1;
    bool deleteExtrapolated = false;
    double conferenceOk = -1;
};

Roads MeasureRoads(const ConferenceRecord& record) {
    Roads r;
    RunExport(nullptr, {[&] {
                  const HWND dialog = Conference();
                  if (dialog == nullptr) return false;
                  r.readyEmpty = Now() - callStarted;
                  ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                  return true;
              }});

    double clicked = 0;
    RunExport(
        &record,
        {[&] {
             const HWND dialog = Conference();
             if (dialog == nullptr) return false;
             r.readyWithRecord = Now() - callStarted;
             r.rowsFromRecord = Rows(dialog, IDC_MEMBER_LIST);
             clicked = Now();
             PostClick(dialog, IDC_ADD_MEMBERS);
             return true;
         },
         [&] {
             const HWND picker = Picker();
             if (picker == nullptr) return false;
             r.addToPickerReady = Now() - clicked;
             r.presetRows = Rows(picker, IDC_CHOSEN_LIST);
             clicked = Now();
             ::PostMessageA(picker, WM_COMMAND, IDOK, 0);
             return true;
         },
         [&] {
             const HWND dialog = Conference();
             if (Picker() != nullptr || dialog == nullptr) return false;
             r.pickerOk = Now() - clicked;
             r.rowsAfterOk = Rows(dialog, IDC_MEMBER_LIST);
             PostClick(dialog, IDC_ADD_MEMBERS);
             return true;
         },
         [&] {
             const HWND picker = Picker();
             if (picker == nullptr) return false;
             r.removedRows = Rows(picker, IDC_CHOSEN_LIST);
             SelectRows(picker, IDC_CHOSEN_LIST, 0, r.removedRows);
             r.pickerRemove = Time([&] { ::SendDlgItemMessageA(picker, IDC_REMOVE_CHOSEN, BM_CLICK, 0, 0); });
             ::PostMessageA(picker, WM_COMMAND, IDCANCEL, 0);
             return true;
         },
         [&] {
             const HWND dialog = Conference();
             if (Picker() != nullptr || dialog == nullptr) return false;
             const int rows = Rows(dialog, IDC_MEMBER_LIST);
             const int probe = std::min(rows, kDeleteProbe);
             SelectRows(dialog, IDC_MEMBER_LIST, rows - probe, rows);
             const double probeTime =
                 Time([&] { ::SendDlgItemMessageA(dialog, IDC_DELETE_MEMBERS, BM_CLICK, 0, 0); });
             r.deletedRows = rows;
             // A delete that would take minutes is reported from the probe.
             if (probe > 0 && probeTime / probe * rows > 30000) {
                 r.dialogDelete = probeTime / probe * rows;
                 r.deleteExtrapolated = true;
             } else {
                 SelectRows(dialog, IDC_MEMBER_LIST, 0, rows - probe);
                 r.dialogDelete =
                     probeTime + Time([&] { ::SendDlgItemMessageA(dialog, IDC_DELETE_MEMBERS, BM_CLICK, 0, 0); });
             }
             ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
             return true;
         }});

    RunExport(&record, {[&] {
                  const HWND dialog = Conference();
                  if (dialog == nullptr) return false;
                  clicked = Now();
                  PostClick(dialog, IDOK);
                  return true;
              }});
    r.conferenceOk = Now() - clicked;
    return r;
}

void Print(const char* what, double ms, const char* note = "") {
    std::printf("%-58s %10.1f ms %s\n", what, ms, note);
}

constexpr char kMeasureSwitch[] = "--measure";

// Writes the directory, then runs this program again with kMeasureSwitch to measure, so
// that the peak working set reported is the roads' own and not the generator's.
int GenerateThenMeasure() {
    {
        GeneratedDirectory directory;
        if (!WriteGeneratedDirectory(directory)) return 1;
    }
    std::fflush(stdout);
    std::string command = std::string(::GetCommandLineA()) + " " + kMeasureSwitch;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("cannot start the measuring run\n");
        return 1;
    }
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

size_t FileBytes(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return static_cast<size_t>(data.nFileSizeLow);
}

}  // namespace

int main(int argc, char** argv) {
    ReadArguments(argc, argv);
    if (argc < 4 || std::string(argv[3]) != kMeasureSwitch) return GenerateThenMeasure();
    ::CoInitialize(nullptr);
    library = ::LoadLibraryA("Quorvel.dll");
    if (library != nullptr)
        createConference = reinterpret_cast<CreateConference>(::GetProcAddress(library, "DLL_CreateConference"));
    if (createConference == nullptr) {
        std::printf("cannot load Quorvel.dll and its export\n");
        return 1;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&controls);

    const std::string folder = GetHostDirectory() + "\\dconf";
    const std::string departments = folder + "\\DepartmentInfo.xml";
    const std::string friendsFile = folder + "\\FriendsInfo.xml";
    const size_t bytes = FileBytes(departments) + FileBytes(friendsFile);

    // The record holds the first 15,000 people of the larger company.
    std::vector<std::string> ids;
    for (int id = 1; id <= kMembers; ++id) ids.push_back(std::to_string(id));
    std::vector<const char*> idTexts;
    for (const std::string& id : ids) idTexts.push_back(id.c_str());
    ConferenceRecord record{};
    record.name = "基准会议";
    record.description = "benchmark";
    record.memberIds = idTexts.data();
    record.memberIdCount = static_cast<int>(idTexts.size());

    // What the process holds before the first road: the library loaded, nothing read.
    const double startWorkingSet = WorkingSetMiB();
    // The roads first, so that the peak working set is theirs and not the DOM's.
    // The peak after the first pass is what a host pays for the roads; later passes add
    // what the heap keeps from earlier ones.
    std::vector<Roads> measured;
    double firstPeak = 0;
    for (int i = 0; i < runs; ++i) {
        measured.push_back(MeasureRoads(record));
        if (i == 0) firstPeak = PeakWorkingSetMiB();
    }
    const double peak = PeakWorkingSetMiB();
    const auto median = [&](double Roads::*field) {
        std::vector<double> values;
        for (const Roads& r : measured) values.push_back(r.*field);
        return Median(values);
    };
    const Roads& last = measured.back();

    const double domDepartments = MedianTime([&] { return Time([&] { LoadXml(departments); }); });
    const double domFriends = MedianTime([&] { return Time([&] { LoadXml(friendsFile); }); });
    const double fileBytes = MedianTime([&] {
        return Time([&] {
            (void)ReadXmlFile(departments);
            (void)ReadXmlFile(friendsFile);
        });
    });
    DirectoryReader reader;  // the library's reader, timed here as the floor of its roads
    const double readDepartments = MedianTime([&] {
        return Time([&] {
            std::vector<Company> c;
            reader.ReadDepartments(departments, c);
        });
    });
    const double readFriends = MedianTime([&] {
        return Time([&] {
            std::vector<ContactGroup> f;
            reader.ReadFriends(friendsFile, f);
        });
    });
    std::vector<Company> companies;
    std::vector<ContactGroup> friends;
    reader.ReadDepartments(departments, companies);
    reader.ReadFriends(friendsFile, friends);
    int treeItems = 0;
    std::vector<double> destructions;
    const double tree = MedianTime([&] {
        double destruction = 0;
        const double insertion = BareTreeInsertion(companies, friends, &treeItems, &destruction);
        destructions.push_back(destruction);
        return insertion;
    });
    const double bareConference = MedianTime([&] { return BareDialogReady(IDD_CONFERENCE, IDC_MEMBER_LIST); });
    const double barePicker = MedianTime([&] { return BareDialogReady(IDD_CONTACT_PICKER, IDC_CHOSEN_LIST); });
    const double rows = MedianTime([&] { return BareListRows(kMembers, 4); });
    const double rowsPicker = MedianTime([&] { return BareListRows(kMembers, 3); });

    std::printf("floors:\n");
    Print("platform DOM load of DepartmentInfo.xml", domDepartments);
    Print("platform DOM load of FriendsInfo.xml", domFriends);
    Print("reading both files' bytes", fileBytes);
    Print("directory reader, DepartmentInfo.xml (read, parse, records)", readDepartments);
    Print("directory reader, FriendsInfo.xml", readFriends);
    std::printf("%-58s %10.1f ms (%d items)\n", "bare insertion of the tree items", tree, treeItems);
    Print("bare destruction of those trees (part of the picker's OK)", Median(destructions));
    Print("bare conference dialog ready (its templates, no handlers)", bareConference);
    Print("bare picker dialog ready (its template, no handlers)", barePicker);
    Print("bare insertion of 15000 rows, four columns", rows);
    Print("bare insertion of 15000 rows, three columns (the picker's)", rowsPicker);
    std::printf("roads through the export:\n");
    Print("conference dialog ready, no record", median(&Roads::readyEmpty));
    std::printf("%-58s %10.1f ms (%d rows)\n", "ready with a record of 15000 members", median(&Roads::readyWithRecord),
                last.rowsFromRecord);
    std::printf("%-58s %10.1f ms (%d preset)\n", "add button to picker ready", median(&Roads::addToPickerReady),
                last.presetRows);
    std::printf("%-58s %10.1f ms (%d rows)\n", "picker OK to the member list", median(&Roads::pickerOk),
                last.rowsAfterOk);
    std::printf("%-58s %10.1f ms (%d rows)\n", "picker: remove the selected rows", median(&Roads::pickerRemove),
                last.removedRows);
    std::printf("%-58s %10.1f ms (%d rows)%s\n", "dialog: delete the selected rows", median(&Roads::dialogDelete),
                last.deletedRows, last.deleteExtrapolated ? ", extrapolated from 100 rows" : "");
    Print("conference OK with the record's members", median(&Roads::conferenceOk));
    // Over the start: three times the two files, with 16 MiB more for a small directory,
    // where what every dialog costs outweighs what a person costs.
    const double fileMiB = static_cast<double>(bytes) / (1024.0 * 1024.0);
    const double growthGoal = 3 * fileMiB + (scale >= 5 ? 0 : 16);
    const double growth = firstPeak - startWorkingSet;
    std::printf("peak working set of the roads: %.1f MiB after the first pass, %.1f MiB after %d; %.1f MiB at the "
                "start\n",
                firstPeak, peak, runs, startWorkingSet);
    std::printf("  grown by %.1f MiB over the start for %.1f MiB of files (goal <= %.1f MiB): %s\n", growth, fileMiB,
                growthGoal, growth <= growthGoal ? "met" : "NOT met");
    std::printf("goals:\n");
    Verdict("directory reader 5x (20,000) / 10x (100,000) faster than the DOM load", readDepartments,
          domDepartments / (scale >= 5 ? 10 : 5));
    const double readerFiles = readDepartments;
    Verdict("ready, no record (reads no file), within 1.3 x the reader", median(&Roads::readyEmpty), 1.3 * readerFiles);
    Verdict("ready with a record within 1.3 x (reader + its rows)", median(&Roads::readyWithRecord),
          1.3 * (readerFiles + rows));
    Verdict("picker ready within 1.3 x (reader of both + tree items + preset rows)", median(&Roads::addToPickerReady),
          1.3 * (readDepartments + readFriends + tree + rowsPicker));
    // The goals above leave out what the window system takes to make a dialog and paint
    // it, which no dialog can go below; these add the bare dialog to the floor.
    Verdict("ready, no record, within 1.3 x the bare dialog", median(&Roads::readyEmpty), 1.3 * bareConference);
    Verdict("ready with a record within 1.3 x (bare dialog + reader + its rows)", median(&Roads::readyWithRecord),
            1.3 * (bareConference + readerFiles + rows));
    Verdict("picker ready within 1.3 x (bare picker + reader of both + tree items + rows)",
            median(&Roads::addToPickerReady), 1.3 * (barePicker + readDepartments + readFriends + tree + rowsPicker));
    Verdict("picker OK within 1.3 x the bare rows it adds", median(&Roads::pickerOk), 1.3 * rows);
    Verdict("picker remove within 1.3 x its bare rows", median(&Roads::pickerRemove), 1.3 * rowsPicker);
    Verdict("dialog delete within 1.3 x its bare rows", median(&Roads::dialogDelete), 1.3 * rows);
    Verdict("conference OK with 15000 members", median(&Roads::conferenceOk), 100);
    ::CoUninitialize();
    return 0;
}
