#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace vellar::web {

// Sends a stream's file descriptor to a file while alive and back afterwards. The tool
// writes with std::cout and std::cerr and with the C streams (the trace of "run --trace");
// all of them end in the same descriptors, in the order the native tool writes them.
class Redirect {
 public:
  Redirect(std::FILE* stream, const std::string& path) : stream_(stream), fd_(fileno(stream)) {
    std::fflush(stream_);
    saved_ = dup(fd_);
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (saved_ >= 0 && file >= 0) dup2(file, fd_);
    if (file >= 0) close(file);
  }
  ~Redirect() {
    std::fflush(stream_);
    if (saved_ < 0) return;
    dup2(saved_, fd_);
    close(saved_);
  }
  Redirect(const Redirect&) = delete;
  Redirect& operator=(const Redirect&) = delete;

 private:
  std::FILE* stream_;
  int fd_;
  int saved_ = -1;
};

}  // namespace vellar::web
