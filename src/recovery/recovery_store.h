#pragma once
// Where recovery copies live and whose they are. Every running program keeps one file named
// after itself, "zudozo-PID-START.recovery", in $XDG_STATE_HOME/zudozo/recovery/ (by default
// ~/.local/state/zudozo/recovery/). PID is its process id and START its start time in clock
// ticks since boot (/proc/PID/stat), so that a new process that happens to get the same id is
// not taken for the program that left the copy.
#include <cstdint>
#include <string>
#include <vector>

struct TProcessIdentity {
  int pid = 0;
  std::uint64_t startTime = 0;  // clock ticks after boot; 0 when unknown
  friend bool operator==(const TProcessIdentity&, const TProcessIdentity&) = default;
};

// This program.
TProcessIdentity CurrentProcess();
// The start time of a running process, or 0 when there is none with this id (or it cannot be
// read).
std::uint64_t ProcessStartTime(int pid);
// True while the process that has this identity still runs.
bool IsRunning(const TProcessIdentity& process);

// The folder from the environment's values (either may be null or empty): XDG_STATE_HOME, else
// HOME/.local/state, each followed by /zudozo/recovery. Empty when neither is set.
std::string RecoveryFolder(const char* xdgStateHome, const char* home);

class TRecoveryStore {
 public:
  static constexpr const char* kDamagedSuffix = ".bad";

  explicit TRecoveryStore(std::string folder) : folder_(std::move(folder)) {}
  const std::string& Folder() const { return folder_; }

  // The copy file of a process.
  std::string PathFor(const TProcessIdentity& process) const;
  // The process a copy file belongs to; false for any other name (temporary and damaged
  // files included).
  static bool OwnerOf(const std::string& fileName, TProcessIdentity& owner);
  // Creates the folder (and its parents) readable by the user only; false when it cannot.
  bool MakeFolder() const;
  // The copies of programs that no longer run, oldest first. Temporary files that such a
  // program left half-written are removed on the way.
  std::vector<std::string> LeftBehind() const;
  // Removes a copy; a missing file is no error.
  static void Remove(const std::string& path);
  // Keeps a damaged copy aside under its name with ".bad" added; returns the new path.
  static std::string SetAside(const std::string& path);

 private:
  std::string folder_;
};
