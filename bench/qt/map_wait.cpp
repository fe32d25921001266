// Launches a program and reports how long it took until its first window
// was mapped on the X display, and the program's peak RSS; then ends it.
// Usage: velmora-map-wait PROGRAM [ARGS...]
// Prints: milliseconds-to-map peak-RSS-in-KiB CPU-milliseconds
// (CPU time, user and system, is less disturbed by other load than the
// time to map; it covers the start and the first paint.)
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: velmora-map-wait PROGRAM [ARGS...]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "velmora-map-wait: cannot open the display\n");
    return 2;
  }
  // Top-level windows are the root's children: their mapping is reported
  // to whoever watches the root's substructure.
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  XEvent event;
  do {
    XNextEvent(display, &event);
  } while (event.type != MapNotify || event.xmap.override_redirect);
  const auto mapped = std::chrono::steady_clock::now();

  // Let it paint, then end it and read its peak RSS.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  kill(child, SIGTERM);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  XCloseDisplay(display);
  const auto ms = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
  };
  std::printf("%.1f %ld %.1f\n",
              std::chrono::duration<double, std::milli>(mapped - start).count(), usage.ru_maxrss,
              ms(usage.ru_utime) + ms(usage.ru_stime));
  return 0;
}
