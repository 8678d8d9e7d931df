// mapwatch: starts a program and reports how long it takes to map its window.
//
//   mapwatch [--settle MS] [--timeout S] [--verbose] PROGRAM [ARGS...]
//
// Listens for structure changes on the root window of $DISPLAY first, then forks and
// execs PROGRAM; the clock starts right before the fork. On the first MapNotify of a
// top-level window that is not override-redirect (on a display where the program is the
// only client, its main window) it stops the clock, waits MS milliseconds (default 0),
// reads the peak and current resident memory of the program from /proc/PID/status and the
// CPU time its threads have used so far, kills it and prints one line:
//
//   map_us=12345 pid=678 vmhwm_kb=45678 vmrss_kb=45000 cpu_us=9876 window=0x200008 title="..."
//
// The program's own output goes to /dev/null unless --verbose is given. Exits 1 when the
// program ends or the timeout passes (default 30 s) before a window is mapped.
#include <X11/Xlib.h>

#include <dirent.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long long nowMicroseconds() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

// Value in kB of a "Name:   123 kB" line of /proc/PID/status; -1 when missing.
long statusKilobytes(pid_t pid, const char *name) {
    const std::string path = "/proc/" + std::to_string(pid) + "/status";
    FILE *file = std::fopen(path.c_str(), "r");
    if (file == nullptr)
        return -1;
    char line[256];
    long value = -1;
    const size_t nameLength = std::strlen(name);
    while (std::fgets(line, sizeof line, file) != nullptr) {
        if (std::strncmp(line, name, nameLength) == 0 && line[nameLength] == ':') {
            value = std::strtol(line + nameLength + 1, nullptr, 10);
            break;
        }
    }
    std::fclose(file);
    return value;
}

// CPU time in microseconds the threads of `pid` have run so far, from the scheduler's
// per-thread accounting (nanoseconds); -1 when unavailable.
long long cpuMicroseconds(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR *dir = opendir(tasks.c_str());
    if (dir == nullptr)
        return -1;
    long long total = 0;
    while (const dirent *entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        FILE *file = std::fopen((tasks + "/" + entry->d_name + "/schedstat").c_str(), "r");
        if (file == nullptr)
            continue;
        unsigned long long runNs = 0;
        if (std::fscanf(file, "%llu", &runNs) == 1)
            total += static_cast<long long>(runNs / 1000);
        std::fclose(file);
    }
    closedir(dir);
    return total;
}

void usage() {
    std::fprintf(stderr,
                 "usage: mapwatch [--settle MS] [--timeout S] [--verbose] PROGRAM [ARGS...]\n");
}

void endChild(pid_t pid) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char *argv[]) {
    long settleMs = 0;
    long timeoutS = 30;
    bool verbose = false;
    int first = 1;
    for (; first < argc && std::strncmp(argv[first], "--", 2) == 0; ++first) {
        const std::string option = argv[first];
        if (option == "--") {
            ++first;
            break;
        }
        if (option == "--verbose") {
            verbose = true;
        } else if (option == "--settle" && first + 1 < argc) {
            settleMs = std::strtol(argv[++first], nullptr, 10);
        } else if (option == "--timeout" && first + 1 < argc) {
            timeoutS = std::strtol(argv[++first], nullptr, 10);
        } else {
            usage();
            return 2;
        }
    }
    if (first >= argc) {
        usage();
        return 2;
    }

    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "mapwatch: cannot open display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, True); // the server listens from here on; nothing older is queued
    const int xfd = ConnectionNumber(display);
    fcntl(xfd, F_SETFD, FD_CLOEXEC);

    // Tells the parent whether exec failed: closed unread on a successful exec.
    int failPipe[2];
    if (pipe2(failPipe, O_CLOEXEC) != 0) {
        std::perror("mapwatch: pipe");
        return 2;
    }

    const long long start = nowMicroseconds();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("mapwatch: fork");
        return 2;
    }
    if (pid == 0) {
        if (!verbose) {
            const int null = open("/dev/null", O_WRONLY);
            if (null >= 0) {
                dup2(null, STDOUT_FILENO);
                dup2(null, STDERR_FILENO);
            }
        }
        execvp(argv[first], argv + first);
        const int error = errno;
        (void)!write(failPipe[1], &error, sizeof error);
        _exit(127);
    }
    close(failPipe[1]);
    int execError = 0;
    if (read(failPipe[0], &execError, sizeof execError) == sizeof execError) {
        std::fprintf(stderr, "mapwatch: cannot run %s: %s\n", argv[first],
                     std::strerror(execError));
        waitpid(pid, nullptr, 0);
        return 2;
    }
    close(failPipe[0]);

    const long long deadline = start + timeoutS * 1000000;
    long long mapped = -1;
    Window window = 0;
    while (mapped < 0) {
        while (mapped < 0 && XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && event.xmap.event == root &&
                !event.xmap.override_redirect) {
                mapped = nowMicroseconds();
                window = event.xmap.window;
            }
        }
        if (mapped >= 0)
            break;
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "mapwatch: %s ended before mapping a window\n", argv[first]);
            return 1;
        }
        if (nowMicroseconds() > deadline) {
            std::fprintf(stderr, "mapwatch: no window mapped within %ld s\n", timeoutS);
            endChild(pid);
            return 1;
        }
        pollfd watch{xfd, POLLIN, 0};
        poll(&watch, 1, 20);
    }

    if (settleMs > 0)
        usleep(static_cast<useconds_t>(settleMs) * 1000);
    const long long cpu = cpuMicroseconds(pid);
    const long peak = statusKilobytes(pid, "VmHWM");
    const long resident = statusKilobytes(pid, "VmRSS");
    char *title = nullptr;
    XFetchName(display, window, &title);
    endChild(pid);

    std::printf("map_us=%lld pid=%d vmhwm_kb=%ld vmrss_kb=%ld cpu_us=%lld window=0x%lx "
                "title=\"%s\"\n",
                mapped - start, static_cast<int>(pid), peak, resident, cpu, window,
                title != nullptr ? title : "");
    if (title != nullptr)
        XFree(title);
    XCloseDisplay(display);
    return 0;
}
