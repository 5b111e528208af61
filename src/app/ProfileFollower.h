// The mouse follows the program in front: which configuration a foreground
// change puts into the mouse, if any. The shell only reports what is in front
// (and when it came there) and runs the timer this asks for; loading,
// downloading and the Return key are decided here.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "config/AppProfiles.h"
#include "config/ConfigRecord.h"
#include "platform/ProfileFiles.h"

namespace zr {

// Changes closer together than this count as one: the last one wins, so
// Alt+Tab through several windows downloads at most once.
inline constexpr std::chrono::milliseconds kForegroundSettleTime{250};

// The program whose window is in front.
struct ForegroundProgram {
  bool ownWindow = false;      // one of the utility's windows or pop-ups
  std::u16string executable;   // its executable's path or file name; empty when it cannot be asked
};

// A one-shot timer on the interface thread; starting it again replaces the
// pending expiry. It calls ProfileFollower::TimerElapsed when it expires.
class OneShotTimer {
 public:
  virtual ~OneShotTimer() = default;
  virtual void Start(std::chrono::milliseconds delay) = 0;
  virtual void Stop() = 0;
};

// Milliseconds of the system's tick count, which wraps after 49.7 days; the
// window events carry their time on the same clock.
class TickClock {
 public:
  virtual ~TickClock() = default;
  virtual std::uint32_t NowMs() = 0;
};

// Told of every switch the follower makes: the configuration now in the
// mouse and the file name of the program that caused it.
using ProfileSwitchAnnouncer = std::function<void(std::int32_t configuration, std::u16string_view program)>;

struct ProfileFollowerContext {
  ProfileFiles& files;
  std::u16string configFile;
  ConfigRecord& record;
  std::atomic<std::int32_t>& currentConfig;
  const std::uint8_t& languageFlag;
  // What Apply does after the record is loaded and made current: the
  // download with its file writes and the repaint.
  std::function<void()> download;
};

// The load every switch makes: the repair rule every load whose record can
// reach the mouse passes.
void LoadForProfileSwitch(ProfileFiles& files, std::u16string_view configFile, std::int32_t number,
                          std::uint8_t languageFlag, ConfigRecord& record);

class ProfileFollower {
 public:
  ProfileFollower(ProfileFollowerContext context, OneShotTimer& timer, TickClock& clock);

  void SetAnnouncer(ProfileSwitchAnnouncer announcer) { announce_ = std::move(announcer); }

  // After the start-up download: reads the bindings, takes a Return left by
  // a crash as the person's configuration, and applies the rule once to the
  // program then in front (the utility's own window counts as no program).
  void Start(const ForegroundProgram& foreground);

  // A window event: `eventTimeMs` is when it happened, on the TickClock.
  void ForegroundChanged(ForegroundProgram program, std::uint32_t eventTimeMs);
  void TimerElapsed();

  // The person's own choices: a Profile 1–5 click (not yet in the mouse),
  // and the downloads they ask for. Apply makes the configuration the one to
  // return to when it was chosen by the person, not when it merely saves
  // edits to the configuration a binding put in front; Reset always does.
  void ConfigurationChosen() { personChose_ = true; }
  void Applied();
  void FactoryResetDone();

  // The menu's edits; each writes the section. Bind takes a path or a file name.
  AppBindings::BindResult Bind(std::u16string_view program, std::int32_t configuration);
  bool Unbind(std::u16string_view program);
  const AppBindings& Bindings() const { return bindings_; }

  // For the tests and the indicator: what the follower believes.
  std::int32_t ReturnConfiguration() const { return returnConfig_; }
  std::int32_t ConfigurationInMouse() const { return inMouse_; }
  // The mouse holds what a binding put there, and Return is kept.
  bool BindingInForce() const { return inMouse_ != returnConfig_; }

 private:
  void Decide(const ForegroundProgram& program, bool atStart);
  void SwitchTo(std::int32_t configuration, std::u16string_view program);
  void PersonMadeCurrent();
  void SetReturnKept(bool kept);
  std::optional<std::int32_t> UsableBinding(std::u16string_view program);

  ProfileFollowerContext context_;
  OneShotTimer& timer_;
  TickClock& clock_;
  ProfileSwitchAnnouncer announce_;
  AppBindings bindings_;
  std::int32_t returnConfig_ = 0;
  std::int32_t inMouse_ = 0;
  bool returnKept_ = false;  // config.ini holds Return
  bool personChose_ = false;
  std::optional<ForegroundProgram> pending_;
  std::uint32_t pendingSince_ = 0;
};

}  // namespace zr
