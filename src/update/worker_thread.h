#pragma once

// The base of the program's background workers: Run on a thread of its own (a pooled one,
// worker_pool.h), and a stop flag that Run checks. Stopping is cooperative: nothing ends a
// thread by force, so a worker never leaves a lock held or a list half written.
//
// Threads: Start, Stop, HandOff and the destructor belong to the thread that owns the object
// (the main thread). Run runs on the worker thread; StopRequested may be read by any thread.
//
// A derived class whose Run uses its own members calls Stop in its destructor, so that the
// thread has ended before those members go.

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

namespace tarsel {

class WorkerThread {
 public:
  WorkerThread() = default;
  // Stops a thread still attached to the object (waiting for it).
  virtual ~WorkerThread();
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Clears the stop flag and has a thread call Run; a run still attached from an earlier Start
  // is stopped first. `keep_alive` (usually a shared_ptr to this object) is held
  // by the thread until Run has returned, which lets the owner hand the thread off. False when
  // no thread could be created (the object is then as if never started).
  virtual bool Start(std::shared_ptr<void> keep_alive = nullptr);
  // Sets the stop flag and waits for Run to end, without limit. Called on the worker thread
  // itself, it only sets the flag.
  virtual void Stop();

  // Lets the thread finish on its own: the object no longer refers to it. Only for a thread
  // started with a keep-alive reference, since the thread may still be in Run. A thread that has
  // already finished is joined instead.
  void HandOff();

  bool StopRequested() const { return stop_requested_.load(); }
  // Whether a run is attached (started and neither stopped nor handed off).
  bool Attached() const { return control_ != nullptr; }
  // What Run returned; 0 before it has.
  int ExitCode() const { return exit_code_.load(); }

  // Waits until every handed-off thread has finished (its Run returned and its keep-alive
  // reference was dropped). False when `timeout` passed first. For program exit, after the
  // updates were stopped.
  static bool WaitForHandedOff(std::chrono::milliseconds timeout);

 protected:
  // The work of the thread; its result becomes ExitCode.
  virtual int Run() = 0;
  // Sets the stop flag without waiting.
  void RequestStop() { stop_requested_ = true; }
  // Hands `body` to a thread; throws std::system_error when none can be had. Tests replace it.
  virtual void Launch(std::function<void()> body);

 private:
  struct Control;

  // Shared with the run while it is attached; null otherwise.
  std::shared_ptr<Control> control_;
  std::atomic<bool> stop_requested_{false};
  std::atomic<int> exit_code_{0};
};

}  // namespace tarsel
