// A stand-in for the game's program in tests: copied to a folder as "hl_linux" and started
// there, it only waits until the test ends it (or a minute has passed).
#include <chrono>
#include <thread>

int main() {
  std::this_thread::sleep_for(std::chrono::seconds(60));
  return 0;
}
