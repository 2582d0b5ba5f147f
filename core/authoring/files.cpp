#include "files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

bool read_file(const std::string& path, std::string* bytes, std::string* problem) {
  FILE* file = fopen(path.c_str(), "rb");
  if (!file) {
    *problem = strerror(errno);
    return false;
  }
  struct stat info;
  if (fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
    fclose(file);
    *problem = "it is a folder";
    return false;
  }
  bytes->clear();
  char buffer[65536];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) bytes->append(buffer, got);
  bool ok = !ferror(file);
  if (!ok) *problem = strerror(errno);
  fclose(file);
  return ok;
}

std::string folder_of(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool write_file(const std::string& path, const std::string& bytes, unsigned mode,
                std::string* problem) {
  std::string temporary = folder_of(path) + "/.quizpack-XXXXXX";
  int fd = mkstemp(&temporary[0]);
  if (fd < 0) {
    *problem = strerror(errno);
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
  if (!ok) *problem = strerror(errno ? errno : EIO);
  if (close(fd) != 0 && ok) {
    ok = false;
    *problem = strerror(errno);
  }
  if (ok && rename(temporary.c_str(), path.c_str()) != 0) {
    ok = false;
    *problem = strerror(errno);
  }
  if (!ok) unlink(temporary.c_str());
  return ok;
}

bool same_file(const std::string& a, const std::string& b) {
  struct stat first, second;
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}
