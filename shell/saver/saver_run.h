// One run of the saver, as the hidden window "Tessarine_Main" drives it: the
// renderer started, the music played and watched, and the end once the
// renderer has ended or its window "Tessarine_VC" is gone. Platform-free; the window
// translates its messages into these calls.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "bgm.h"
#include "shell_module.h"

namespace tessarine::shell {

using Millis = std::chrono::milliseconds;

// How a music file is played, from the last three letters of its path.
enum class FileKind { Other, Wav, Mp3 };
FileKind file_kind(const std::wstring& path);

// Decides from the 500 ms ticks when the renderer has gone. The run ends as
// soon as the renderer's process has ended (or never started). Its window
// may take a while to appear on a busy machine, and briefly disappears while
// it switches between full screen and a window, so the run also ends when
// the window never appeared within `patience` of the start, or when two ticks
// in a row find it missing. A watch not yet started never ends the run.
class RendererWatch {
 public:
  static constexpr Millis kPatience{10000};

  void start(Millis now) { started_ = now; }
  // True when the run is to end.
  bool tick(bool window_found, bool renderer_running, Millis now);

 private:
  std::optional<Millis> started_;
  bool seen_ = false;
  bool missed_ = false;
};

// The renderer's command line: its path alone, unquoted, for the standard
// picture (the renderer is started exactly as it always was); else the
// quoted path followed by the picture's options.
std::wstring renderer_command_line(const std::wstring& path, const renderer::PictureOptions& picture);

enum class SaverTimer { Timer1, Timer2, Timer3 };

// What the run needs of the platform.
class SaverHost {
 public:
  virtual ~SaverHost() = default;
  // Starts the renderer: the program at `path` with `command_line`, shown
  // normally, allowed to take the foreground (and with it the keyboard), not
  // waited for. The host keeps its process to watch, and the renderer ends
  // with the host's process, however that ends.
  virtual void start_program(const std::wstring& path, const std::wstring& command_line) = 0;
  // Whether the started renderer's process is still running (false when it
  // could not be started).
  virtual bool renderer_running() = 0;
  // Whether that process has a top-level window titled exactly
  // "Tessarine_VC" (another program's window of that title does not count).
  virtual bool renderer_window_exists() = 0;
  // Whether the music file can be opened for reading now (its drive may be
  // away for a while).
  virtual bool file_exists(const std::wstring& path) = 0;
  // Arms or stops a timer of the saver window; false when it cannot be armed.
  virtual bool set_timer(SaverTimer timer, bool enabled) = 0;
  virtual int32_t show_cursor(int32_t show) = 0;
  virtual Millis now() = 0;
  // Ends the program at once (in tests: records it).
  virtual void end_program() = 0;
};

class SaverRun {
 public:
  static constexpr Millis kTimer1Interval{1000};
  static constexpr Millis kTimer2Interval{200};
  static constexpr Millis kTimer3Interval{500};

  SaverRun(SaverHost& host, music::Bgm& bgm, StartupModule& module, std::wstring renderer_path);

  void Load();
  void Timer3Tick();
  void Timer2Tick();
  void Timer1Tick();
  // The MP3 device's notice that a play has ended; `successful` when the file
  // played to its end.
  void Mp3Notify(bool successful);
  // The window is about to close, for whatever reason: stops the music,
  // gives the cursor back and ends the program.
  void QueryUnload();

  bool timer_enabled(SaverTimer timer) const;

 private:
  bool enable(SaverTimer timer, bool enabled);
  void give_cursor_back_and_end();

  SaverHost& host_;
  music::Bgm& bgm_;
  StartupModule& module_;
  std::wstring RendererPath;
  RendererWatch watch_;
  FileKind playing_ = FileKind::Other;  // the kind of music file that the run plays, if any
  bool timer1_ = false;
  bool timer2_ = false;
  bool timer3_ = false;
};

}  // namespace tessarine::shell
