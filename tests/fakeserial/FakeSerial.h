#pragma once

// A fake serial device for tests and benchmarks. The library replaces open,
// ioctl and close for one path: opening it hands out a pseudo-terminal (so
// termios calls work) whose modem lines the test drives. The modem-line
// requests (TIOCMGET/BIS/BIC/SET, TIOCMIWAIT, TIOCGICOUNT) are served from
// shared state, and blocked waits wake within microseconds.
//
// Load it with LD_PRELOAD (tavrin_use_fake_serial() in CMake does this and
// links it, so these functions can be called directly). A test typically:
//   qputenv("TAVRIN_DEV_DIR", tempDir);          // never the real /dev
//   fakeserial::attach(tempDir + "/ttyS0");      // COM1 (ttyUSB0 = COM5 ...)
//   port.Open(); fakeserial::waitForWaiters(1, 2000);
//   fakeserial::setLines(TIOCM_DSR);             // DSR on: the start line
//   QTRY_VERIFY(...);                            // the dispatch ran
// With a test tick source (platform::setTickSource) held still until the
// dispatch has run, eventTick() is exactly that tick.
namespace fakeserial {

// The device appears at path (an absolute path, normally in a temporary
// folder named by TAVRIN_DEV_DIR). Resets every line, counter (wakeUps()
// too) and failure.
// After unplug() this plugs it in again, under the same or another path.
void attach(const char *path);
void detach();

// The device is pulled out: its path no longer opens (ENOENT), the open
// descriptor is hung up (every request fails with EIO) and a blocked wait
// fails, until the program closes it.
void unplug();
// The device is pulled out during the n-th request on it from now (n >= 1),
// which fails: during opening, set-up, the wait or closing. 0: never.
void unplugAtIoctl(int n);

// The edge counters (TIOCGICOUNT, and the wake-up of TIOCMIWAIT) follow the
// levels only this many milliseconds later, as on some USB adapters. 0: at once.
void lagCounters(int ms);

// Sets the input lines (TIOCM_CTS, TIOCM_DSR, TIOCM_CD, TIOCM_RNG); every line
// that changes counts one edge and wakes the waiters. The lines in `pulsed`
// first go through a whole pulse (two edges) in the same step, as if it fell
// between two looks of the program.
void setLines(int lines, int pulsed = 0);
void toggleLines(int lines);
// Input lines and the outputs DTR/RTS as the program set them (TIOCM_* bits).
int lines();

// Failures with the given errno; 0 switches them off.
void failOpen(int error);
void failSetup(int error); // the termios request
void failWait(int error);  // TIOCMIWAIT, including a wait already blocked

// The next TIOCMIWAIT changes the lines to these just before it takes its
// own snapshot: the change falls between the caller's last look and the wait.
void changeLinesInsideNextWait(int lines);

// Drivers that lack TIOCMIWAIT or TIOCGICOUNT (they answer ENOTTY).
void setWaitSupported(bool supported);
void setCountersSupported(bool supported);

// True while the program holds the device open, also a hung-up one.
bool isOpen();
// Blocks (up to timeoutMs) until exactly count threads sit in TIOCMIWAIT:
// 1 once a worker waits, 0 once it has woken.
bool waitForWaiters(int count, int timeoutMs);
// How many times TIOCMIWAIT returned for a change of the lines.
int wakeUps();
// Blocks (up to timeoutMs) until that count has reached `count` and a worker
// waits again: it has done with the wake-ups before (stamped, handed on).
bool waitForWakeUp(int count, int timeoutMs);

// What the program asked for at its last set-up.
struct Termios
{
    unsigned iflag, oflag, cflag, lflag;
    unsigned ispeed, ospeed;
    bool lowLatency; // ASYNC_LOW_LATENCY requested
};
Termios lastSetup();

} // namespace fakeserial
