#pragma once
// What the benchmarks share: the generated directory, timing, and the bare platform
// costs that their figures are measured against.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "directory/Company.h"
#include "directory/ContactGroup.h"

namespace bench {

// The directory is 20,000 people times `scale`: two companies, the first with one
// department of 5,000 per 20,000 people and the rest nested four deep, friends a tenth.
extern int scale;
constexpr int kLargeDepartment = 5000;
constexpr int kDepth = 4;
[[nodiscard]] int CompanyPeople(int company);  // the first company is the larger one
[[nodiscard]] int Friends();

// The number of people (first argument) sets `scale`, the number of runs (second) `runs`.
void ReadArguments(int argc, char** argv);

// The machine is shared: every figure is the median of `runs` runs.
extern int runs;
[[nodiscard]] double Now();
double Time(const std::function<void()>& work);
[[nodiscard]] double Median(std::vector<double> values);
double MedianTime(const std::function<double()>& run);

[[nodiscard]] std::vector<Company> MakeCompanies();
[[nodiscard]] std::vector<ContactGroup> MakeFriends();
struct GeneratedDirectory {
    std::vector<Company> companies;
    std::vector<ContactGroup> friends;
    std::string folder;  // the dconf folder beside the program, where a library looks
    size_t bytes = 0;    // of both files
};
// Makes the directory, writes DepartmentInfo.xml and FriendsInfo.xml (UTF-8) and prints
// one line on what they hold; false when they cannot be written.
bool WriteGeneratedDirectory(GeneratedDirectory& directory);

// The platform DOM's load of a file's bytes, as the layer hands them to it.
bool LoadXml(const std::string& path);
// The layer's reader on a file's bytes, parsing only.
bool ParseXml(const std::string& path);
[[nodiscard]] double PeakWorkingSetMiB();
[[nodiscard]] double WorkingSetMiB();
// One line: a figure against its goal, met or not.
void Verdict(const char* goal, double measured, double budget);
// A hidden top-level window for the bare controls.
[[nodiscard]] HWND MakeHost();
// Tree items for every company, group and person, in two hidden trees; `items` counts
// them, `destruction` (when given) gets the time the trees then take to be destroyed.
double BareTreeInsertion(const std::vector<Company>& companies, const std::vector<ContactGroup>& friends, int* items,
                         double* destruction = nullptr);
// `rows` list rows of `columns` columns, redraw suspended once.
double BareListRows(int rows, int columns);

}  // namespace bench
