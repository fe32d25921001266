#include "tools/explore/render_svg.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

extern char** environ;

namespace velmora::explore {
namespace {

std::string Failed(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

Rendering RenderSvg(std::string_view dot, const std::string& output) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return {Rendering::kFailed, Failed("pipe")};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[0], STDIN_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
  posix_spawn_file_actions_addclose(&actions, pipe_fds[1]);
  std::string program = "dot", format = "-Tsvg", to_file = "-o" + output;
  std::vector<char*> argv = {program.data(), format.data()};
  if (!output.empty()) argv.push_back(to_file.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, "dot", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_fds[0]);
  if (spawned != 0) {
    close(pipe_fds[1]);
    if (spawned == ENOENT) return {Rendering::kNoDot, ""};
    errno = spawned;
    return {Rendering::kFailed, Failed("dot")};
  }
  // If dot stops reading, the write fails instead of ending this program.
  std::signal(SIGPIPE, SIG_IGN);
  std::string write_error;
  for (std::size_t done = 0; done < dot.size();) {
    const ssize_t n = write(pipe_fds[1], dot.data() + done, dot.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      write_error = Failed("writing to dot");
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  close(pipe_fds[1]);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return {Rendering::kFailed, Failed("waiting for dot")};
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && write_error.empty())
    return {Rendering::kRendered, ""};
  if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
    return {Rendering::kFailed, "dot: exit status " + std::to_string(WEXITSTATUS(status))};
  if (WIFSIGNALED(status))
    return {Rendering::kFailed, "dot: signal " + std::to_string(WTERMSIG(status))};
  return {Rendering::kFailed, write_error};
}

}  // namespace velmora::explore
