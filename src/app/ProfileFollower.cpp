#include "app/ProfileFollower.h"

#include <utility>

#include "config/ConfigRepair.h"

namespace zr {
namespace {

constexpr std::uint32_t kSettleMs = static_cast<std::uint32_t>(kForegroundSettleTime.count());

// How long ago an event happened. The tick count wraps, so the difference is
// taken modulo 2^32; a time "from the future" (the clocks of the event and
// of the timer differ by a tick) counts as just now.
std::uint32_t AgeMs(std::uint32_t now, std::uint32_t eventTime) {
  const std::uint32_t age = now - eventTime;
  return age > 0x80000000u ? 0 : age;
}

}  // namespace

void LoadForProfileSwitch(ProfileFiles& files, std::u16string_view configFile, std::int32_t number,
                          std::uint8_t languageFlag, ConfigRecord& record) {
  // The same load and repair as every load that reaches the mouse.
  LoadRepairedConfiguration(files, configFile, number, languageFlag, record);
}

ProfileFollower::ProfileFollower(ProfileFollowerContext context, OneShotTimer& timer, TickClock& clock)
    : context_(std::move(context)), timer_(timer), clock_(clock) {}

void ProfileFollower::Start(const ForegroundProgram& foreground) {
  pending_.reset();
  timer_.Stop();
  bindings_ = LoadAppBindings(context_.files, context_.configFile);
  inMouse_ = context_.currentConfig;
  returnConfig_ = inMouse_;
  personChose_ = false;
  const std::int32_t kept = LoadReturnConfiguration(context_.files, context_.configFile);
  returnKept_ = kept != 0;
  // The utility ended while a binding was in force: what the person had
  // chosen is the configuration to go back to.
  if (kept != 0 && ConfigurationStored(context_.files, context_.configFile, kept)) returnConfig_ = kept;
  Decide(foreground, true);
}

void ProfileFollower::ForegroundChanged(ForegroundProgram program, std::uint32_t eventTimeMs) {
  pending_ = std::move(program);
  const std::uint32_t now = clock_.NowMs();
  const std::uint32_t age = AgeMs(now, eventTimeMs);
  // An event stamped after now is taken as now, so the settling always ends.
  pendingSince_ = now - age;
  timer_.Start(std::chrono::milliseconds(age >= kSettleMs ? 0 : kSettleMs - age));
}

void ProfileFollower::TimerElapsed() {
  if (!pending_) return;
  const std::uint32_t age = AgeMs(clock_.NowMs(), pendingSince_);
  if (age < kSettleMs) {  // a timer may fire a little early
    timer_.Start(std::chrono::milliseconds(kSettleMs - age));
    return;
  }
  const ForegroundProgram program = std::move(*pending_);
  pending_.reset();
  Decide(program, false);
}

std::optional<std::int32_t> ProfileFollower::UsableBinding(std::u16string_view program) {
  const std::optional<std::int32_t> bound = bindings_.ConfigurationOf(program);
  // A binding to a configuration config.ini does not hold is not followed:
  // its load would give the mouse a record of zeros.
  if (bound && !ConfigurationStored(context_.files, context_.configFile, *bound)) return std::nullopt;
  return bound;
}

void ProfileFollower::Decide(const ForegroundProgram& program, bool atStart) {
  // The utility's own windows leave the mouse as it is, so a person can open
  // the window over a game and edit the game's configuration. At the start
  // they count as no program: a binding left by a crash is undone then.
  if (program.ownWindow && !atStart) return;
  const std::u16string name = program.ownWindow ? std::u16string() : ProgramFileName(program.executable);
  const std::optional<std::int32_t> bound = name.empty() ? std::nullopt : UsableBinding(name);
  const std::int32_t target = bound ? *bound : returnConfig_;
  if (target != inMouse_) {
    SwitchTo(target, name);
  } else {
    SetReturnKept(BindingInForce());
  }
}

void ProfileFollower::SwitchTo(std::int32_t configuration, std::u16string_view program) {
  // Return goes into the file before the download, so a crash in between
  // still finds the way back.
  SetReturnKept(configuration != returnConfig_);
  context_.currentConfig = configuration;
  LoadForProfileSwitch(context_.files, context_.configFile, configuration, context_.languageFlag, context_.record);
  if (context_.download) context_.download();
  inMouse_ = configuration;
  personChose_ = false;
  if (announce_) announce_(configuration, program);
}

void ProfileFollower::SetReturnKept(bool kept) {
  if (kept == returnKept_) return;
  SaveReturnConfiguration(context_.files, context_.configFile, kept ? returnConfig_ : 0);
  returnKept_ = kept;
}

void ProfileFollower::PersonMadeCurrent() {
  inMouse_ = context_.currentConfig;
  returnConfig_ = inMouse_;
  personChose_ = false;
  SetReturnKept(false);
}

void ProfileFollower::Applied() {
  if (personChose_ || !BindingInForce()) {
    PersonMadeCurrent();
    return;
  }
  // Edits to the configuration a binding put in front go into the mouse;
  // the way back stays what the person had.
  inMouse_ = context_.currentConfig;
  SetReturnKept(BindingInForce());
}

void ProfileFollower::FactoryResetDone() { PersonMadeCurrent(); }

AppBindings::BindResult ProfileFollower::Bind(std::u16string_view program, std::int32_t configuration) {
  const std::size_t stored = StoredAppBindingSlots(context_.files, context_.configFile);
  const AppBindings::BindResult result = bindings_.Bind(ProgramFileName(program), configuration);
  if (result == AppBindings::BindResult::Added || result == AppBindings::BindResult::Moved)
    SaveAppBindings(context_.files, context_.configFile, bindings_, stored);
  return result;
}

bool ProfileFollower::Unbind(std::u16string_view program) {
  const std::size_t stored = StoredAppBindingSlots(context_.files, context_.configFile);
  if (!bindings_.Unbind(program)) return false;
  SaveAppBindings(context_.files, context_.configFile, bindings_, stored);
  return true;
}

}  // namespace zr
