#include "recovery/recovery_store.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

constexpr const char* kPrefix = "zudozo-";
constexpr const char* kSuffix = ".recovery";
// The start time is field 22 of /proc/PID/stat; counted from the field after the command
// name's closing parenthesis (field 3), it is the 20th.
constexpr int kStartTimeAfterName = 20;

bool endsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

std::int64_t modificationTime(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? std::int64_t(info.st_mtime) : 0;
}

// "zudozo-PID-START.recovery.tmp..." written by WriteFileSafely for the copy of that process.
bool temporaryOf(const std::string& name, std::string& copyName) {
  const std::size_t at = name.find(std::string(kSuffix) + ".tmp");
  if (at == std::string::npos) return false;
  copyName = name.substr(0, at + std::string(kSuffix).size());
  return true;
}

// The state letter (field 3) and the start time (field 22) of /proc/PID/stat; false when there
// is no such process.
bool readProcessStat(int pid, char& state, std::uint64_t& startTime) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  const std::size_t close = line.rfind(')');
  if (close == std::string::npos) return false;
  std::istringstream fields(line.substr(close + 1));
  std::string field;
  for (int i = 0; i < kStartTimeAfterName; ++i) {
    if (!(fields >> field)) return false;
    if (i == 0) state = field[0];
  }
  try {
    startTime = std::stoull(field);
  } catch (...) {
    return false;
  }
  return true;
}

}  // namespace

std::uint64_t ProcessStartTime(int pid) {
  char state = 0;
  std::uint64_t start = 0;
  return readProcessStat(pid, state, start) ? start : 0;
}

TProcessIdentity CurrentProcess() {
  const int pid = int(::getpid());
  return TProcessIdentity{pid, ProcessStartTime(pid)};
}

bool IsRunning(const TProcessIdentity& process) {
  if (process.pid <= 0) return false;
  if (::kill(process.pid, 0) != 0 && errno != EPERM) return false;
  char state = 0;
  std::uint64_t start = 0;
  // A killed program whose parent has not collected it yet (a zombie) runs no more; and the id
  // may have been given to another process since: only the same start time counts.
  return readProcessStat(process.pid, state, start) && state != 'Z' && state != 'X' && start == process.startTime;
}

std::string RecoveryFolder(const char* xdgStateHome, const char* home) {
  std::string base;
  if (xdgStateHome && *xdgStateHome == '/')
    base = xdgStateHome;
  else if (home && *home)
    base = std::string(home) + "/.local/state";
  else
    return std::string();
  return base + "/zudozo/recovery";
}

std::string TRecoveryStore::PathFor(const TProcessIdentity& process) const {
  return folder_ + "/" + kPrefix + std::to_string(process.pid) + "-" + std::to_string(process.startTime) + kSuffix;
}

bool TRecoveryStore::OwnerOf(const std::string& fileName, TProcessIdentity& owner) {
  if (fileName.rfind(kPrefix, 0) != 0 || !endsWith(fileName, kSuffix)) return false;
  int pid = 0;
  unsigned long long start = 0;
  char rest[32] = {};
  if (std::sscanf(fileName.c_str(), "zudozo-%d-%llu%31s", &pid, &start, rest) != 3 || std::string(rest) != kSuffix)
    return false;
  owner = TProcessIdentity{pid, start};
  return pid > 0;
}

bool TRecoveryStore::MakeFolder() const {
  if (folder_.empty()) return false;
  for (std::size_t slash = folder_.find('/', 1);; slash = folder_.find('/', slash + 1)) {
    const std::string part = folder_.substr(0, slash);
    if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  return ::stat(folder_.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::vector<std::string> TRecoveryStore::LeftBehind() const {
  std::vector<std::string> copies;
  DIR* dir = folder_.empty() ? nullptr : ::opendir(folder_.c_str());
  if (!dir) return copies;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    std::string copyName;
    TProcessIdentity owner;
    if (temporaryOf(name, copyName)) {
      if (OwnerOf(copyName, owner) && !IsRunning(owner)) ::unlink((folder_ + "/" + name).c_str());
    } else if (OwnerOf(name, owner) && !IsRunning(owner)) {
      copies.push_back(folder_ + "/" + name);
    }
  }
  ::closedir(dir);
  std::stable_sort(copies.begin(), copies.end(), [](const std::string& a, const std::string& b) {
    return modificationTime(a) < modificationTime(b);
  });
  return copies;
}

void TRecoveryStore::Remove(const std::string& path) { ::unlink(path.c_str()); }

std::string TRecoveryStore::SetAside(const std::string& path) {
  const std::string aside = path + kDamagedSuffix;
  ::rename(path.c_str(), aside.c_str());
  return aside;
}
