// A named pipe whose writer waits for a reader to hand it some bytes: a
// reader that opens it gets them; one that refuses it never waits on it.
#pragma once
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

struct PipeWithWriter {
  PipeWithWriter(const std::string& path, const std::string& bytes) {
    mkfifo(path.c_str(), 0644);
    writer = fork();
    if (writer != 0) return;
    const int out = open(path.c_str(), O_WRONLY);
    if (out >= 0 && write(out, bytes.data(), bytes.size()) < 0) _exit(1);
    _exit(0);
  }
  ~PipeWithWriter() {
    kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
  }
  pid_t writer;
};
