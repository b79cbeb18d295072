// Times whole starts of two programs to their first mapped window, in turn
// (A B A B ...), on the X server of DISPLAY: from just before the program is
// started to the server's notice that a window of it was mapped. Prints the
// median and the fastest of each and the ratio of the medians.
//
//   startup_process RUNS PROGRAM_A PROGRAM_B
//
// The programs run in their own folders with no arguments, one at a time on
// a server where nothing else maps windows; each is ended once its window is
// mapped.

#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Starts the program and waits for the first window mapped on the screen;
// the milliseconds it took, or a negative number when it never mapped one.
double timeStart(xcb_connection_t *connection, const std::string &program)
{
    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        std::_Exit(127);
    }
    double mapped = -1;
    while (xcb_generic_event_t *event = xcb_wait_for_event(connection)) {
        const bool map = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        std::free(event);
        if (map) {
            mapped = nowMs() - start;
            break;
        }
    }
    kill(child, SIGTERM);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    // The window going away tells the server too: read that before the next
    // start, so it is not taken for the next program's window.
    xcb_flush(connection);
    while (xcb_generic_event_t *event = xcb_poll_for_event(connection))
        std::free(event);
    return mapped;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: startup_process RUNS PROGRAM_A PROGRAM_B\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const std::string programs[2] = {argv[2], argv[3]};
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X server on DISPLAY\n");
        return 2;
    }
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    std::vector<double> times[2];
    // One start of each first, to fill the file system's caches.
    for (const std::string &program : programs)
        timeStart(connection, program);
    for (int run = 0; run < runs; ++run)
        for (int p = 0; p < 2; ++p) {
            const double ms = timeStart(connection, programs[p]);
            if (ms < 0) {
                std::fprintf(stderr, "%s mapped no window\n", programs[p].c_str());
                return 1;
            }
            times[p].push_back(ms);
        }
    for (int p = 0; p < 2; ++p)
        std::printf("%-50s median %8.2f ms  fastest %8.2f ms\n", programs[p].c_str(), median(times[p]),
                    *std::min_element(times[p].begin(), times[p].end()));
    std::printf("ratio of the medians, first to second: %.3f\n", median(times[0]) / median(times[1]));
    xcb_disconnect(connection);
    return 0;
}
