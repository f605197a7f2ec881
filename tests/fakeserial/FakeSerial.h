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
// folder named by TAVRIN_DEV_DIR). Resets every line, counter and failure.
void attach(const char *path);
void detach();

// Sets the input lines (TIOCM_CTS, TIOCM_DSR, TIOCM_CD, TIOCM_RNG); every line
// that changes counts one edge and wakes the waiters.
void setLines(int lines);
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

bool isOpen();
// Blocks (up to timeoutMs) until exactly count threads sit in TIOCMIWAIT:
// 1 once a worker waits, 0 once it has woken.
bool waitForWaiters(int count, int timeoutMs);

// What the program asked for at its last set-up.
struct Termios
{
    unsigned iflag, oflag, cflag, lflag;
    unsigned ispeed, ospeed;
    bool lowLatency; // ASYNC_LOW_LATENCY requested
};
Termios lastSetup();

} // namespace fakeserial
