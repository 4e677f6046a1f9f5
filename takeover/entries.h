#pragma once

#include <string>
#include <vector>

#include "items/launch_item.h"
#include "platform/entry_sources.h"
#include "platform/special_folders.h"

// Every other thing the system starts at log-on for this user, and the ones the list has taken
// over from there.

enum class EntryPlace {
  UserRun,         // HKCU ...\Run
  UserRunOnce,     // HKCU ...\RunOnce
  MachineRun,      // HKLM ...\Run
  MachineRunOnce,  // HKLM ...\RunOnce
  UserStartup,     // the user's Startup folder
  CommonStartup,   // the all-users Startup folder
  KeptValue,       // a Run value kept under the program's own key
  KeptFile,        // a Startup file kept in the folder beside the item file
};

// Why an entry cannot be taken over or given back as it stands.
enum class EntryFlaw {
  None,
  InexactName,  // a file whose name the code page cannot spell
  BadRecord,    // a kept record whose name or origin leads outside its folder
  PlaceTaken,   // kept, and its place holds an entry of that name again
  CopyMissing,  // kept, but the kept copy is gone
};

struct TakeoverEntry {
  EntryPlace place = EntryPlace::UserRun;
  std::string name;     // the value's or the file's name
  std::string command;  // as shown: the value's text, or a shortcut's target and arguments
  // What it starts, taken apart as a row would hold it.
  std::string file;
  std::string arguments;
  std::string folder;
  int show_command = 1;
  bool read_only = false;  // this user may not change where it is kept
  bool own = false;        // the program's own Startup entry
  bool duplicate = false;  // it starts the same program as a row of the list
  RawValue value;          // registry entries: the value as stored
  std::string path;        // files: where the file is now
  std::string origin;      // kept files: where the file was
  EntryFlaw flaw = EntryFlaw::None;
};

// Where the entries are kept.
struct EntryLocations {
  std::string user_startup;    // empty when the shell gives no such folder
  std::string common_startup;  // likewise
  std::string kept_folder;     // beside the item file, with its trailing backslash
  std::string program_file;    // the running program, to know its own entry
};

inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunOnceKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
// Under the program's own key: the values taken from Run, as they were; and for each file taken
// from the Startup folder, its name in the kept folder with the path it came from.
inline constexpr char kKeptValuesPath[] = "Software\\Brel\\Morvelin\\Adopted\\Run";
inline constexpr char kKeptFilesPath[] = "Software\\Brel\\Morvelin\\Adopted\\Startup";
inline constexpr char kKeptFolderName[] = "Adopted\\";

struct EntrySources {
  RawRegistry& registry;
  FileStore& files;
  ShortcutReader& links;
};

EntryLocations LocateEntries(SpecialFolders& folders, const std::string& program_folder,
                             const std::string& program_file);

// The file and the arguments of a command line as the system's Run key holds it: a quoted
// file, or an unquoted one that ends at ".exe" or else at the first blank.
void SplitCommand(const std::string& command, std::string& file, std::string& arguments);

// Entries in the order: the user's Run and RunOnce, the machine's, the user's Startup folder,
// all users', then the kept ones. A place that cannot be read is left out.
std::vector<TakeoverEntry> ListTakeoverEntries(EntrySources sources,
                                               const EntryLocations& locations,
                                               const std::vector<LaunchItem>& rows);

// A value whose command a row could not start: no file, or a quote left open around a file
// that is not there.
bool IsBrokenCommand(const TakeoverEntry& entry, FileStore& files);

// Only the entries the program has taken over, for the log-on report and the repairs at load.
std::vector<TakeoverEntry> ListKeptEntries(EntrySources sources, const EntryLocations& locations);
// Whether the row was made from one of the kept entries.
bool IsKeptRow(const std::vector<TakeoverEntry>& kept, const LaunchItem& row);

// A Run value as listed; a Startup file as listed, read afresh from its path.
TakeoverEntry RunValueEntry(EntrySources sources, const RawValue& value);
void DescribeStartupFile(EntrySources sources, TakeoverEntry& entry);

// Only what the user owns, and is not run once only, can be taken over; the program's own entry
// never.
bool CanTakeOver(const TakeoverEntry& entry);
bool IsKept(const TakeoverEntry& entry);

// The row that a kept entry became: the first row starting the same file with the same
// arguments; -1 when there is none.
int RowOfEntry(const TakeoverEntry& entry, const std::vector<LaunchItem>& rows);

// The row an entry becomes: the whole day, enabled, at the end of the list.
LaunchItem RowFromEntry(const TakeoverEntry& entry);

// Texts of the page's columns.
std::string PlaceText(const TakeoverEntry& entry);
std::string MarkText(const TakeoverEntry& entry);
