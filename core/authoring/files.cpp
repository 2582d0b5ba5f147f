#include "files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

bool read_file(const std::string& path, std::string* bytes, Message* problem) {
  FILE* file = fopen(path.c_str(), "rb");
  if (!file) {
    *problem = system_reason(errno);
    return false;
  }
  struct stat info;
  if (fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
    fclose(file);
    *problem = MSG_REASON_FOLDER;
    return false;
  }
  bytes->clear();
  char buffer[65536];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) bytes->append(buffer, got);
  bool ok = !ferror(file);
  if (!ok) *problem = system_reason(errno);
  fclose(file);
  return ok;
}

bool make_folder(const std::string& path, Message* problem) {
  if (mkdir(path.c_str(), 0755) == 0) return true;
  struct stat info;
  if (errno == EEXIST && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return true;
  *problem = system_reason(errno);
  return false;
}

void remove_file(const std::string& path) { unlink(path.c_str()); }

bool file_exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode) &&
         access(path.c_str(), R_OK) == 0;
}

std::string folder_of(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string path_in_folder(const std::string& folder, const std::string& name) {
  if (!name.empty() && name[0] == '/') return name;
  if (!folder.empty() && folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

bool write_file(const std::string& path, const std::string& bytes, unsigned mode,
                Message* problem) {
  std::string temporary = folder_of(path) + "/.quizpack-XXXXXX";
  int fd = mkstemp(&temporary[0]);
  if (fd < 0) {
    *problem = system_reason(errno);
    return false;
  }
  size_t written = 0;
  errno = 0;
  while (written < bytes.size()) {
    ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += size_t(n);
  }
  mode_t mask = umask(0);
  umask(mask);
  bool ok = written == bytes.size() && fchmod(fd, mode_t(mode) & ~mask) == 0;
  if (!ok) *problem = system_reason(errno ? errno : EIO);
  if (close(fd) != 0 && ok) {
    ok = false;
    *problem = system_reason(errno);
  }
  if (ok && rename(temporary.c_str(), path.c_str()) != 0) {
    ok = false;
    *problem = system_reason(errno);
  }
  if (!ok) unlink(temporary.c_str());
  return ok;
}

bool same_file(const std::string& a, const std::string& b) {
  struct stat first, second;
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::string absolute_path(const std::string& path) {
  if (!path.empty() && path[0] == '/') return path;
  char folder[4096];
  if (!getcwd(folder, sizeof folder)) return path;
  return path_in_folder(folder, path.compare(0, 2, "./") == 0 ? path.substr(2) : path);
}
