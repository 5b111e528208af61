#include "app/InputSteps.h"

#include <optional>

#include "macros/MacroImport.h"
#include "skin/PopupMenus.h"

namespace zr {
namespace {

InputStep Step(StepKind kind) {
  InputStep step;
  step.kind = kind;
  return step;
}
InputStep RepaintStep(RepaintArea area) {
  InputStep step = Step(StepKind::Repaint);
  step.area = area;
  return step;
}
InputStep AtClick(StepKind kind, const InputRequest& request) {
  InputStep step = Step(kind);
  step.x = request.x;
  step.y = request.y;
  return step;
}
InputStep FileStep(StepKind kind, FileKind file) {
  InputStep step = Step(kind);
  step.file = file;
  return step;
}
InputStep Message(std::u16string_view text) {
  InputStep step = Step(StepKind::ShowMessage);
  step.message = text;
  return step;
}
InputStep Language(std::uint8_t languageFlag) {
  InputStep step = Step(StepKind::SwitchLanguage);
  step.languageFlag = languageFlag;
  return step;
}

bool TakesChosenFile(StepKind kind) {
  return kind == StepKind::ImportProfile || kind == StepKind::ExportProfile || kind == StepKind::ImportMacros ||
         kind == StepKind::ExportMacros;
}

void AppendPopup(std::vector<InputStep>& steps, const InputRequest& request, const UiState& ui) {
  const std::int32_t entry = ui.popupTargetEntry;
  // The entry indexes the skin table when the pop-up is placed.
  if (entry < kFirstButtonEntry || entry > kLastButtonEntry) return;
  InputStep place = Step(StepKind::PlacePopup);
  place.entry = entry;
  steps.push_back(place);
  if (request.warningFirst) steps.push_back(Step(StepKind::AskWarning));
  steps.push_back(Step(StepKind::OpenPopupMenu));
}

void AppendCommand(std::vector<InputStep>& steps, const InputRequest& request, const UiState& ui) {
  using enum StepKind;
  switch (request.command) {
    case InputCommand::None: return;
    case InputCommand::WindowDrag: steps.push_back(AtClick(WindowDrag, request)); return;
    case InputCommand::Save: steps.push_back(Step(SaveConfiguration)); return;
    case InputCommand::ImportProfile:
      steps.insert(steps.end(), {FileStep(AskOpenFile, FileKind::Profile), Step(ImportProfile),
                                 RepaintStep(RepaintArea::WholeWindow)});
      return;
    case InputCommand::ExportProfile:
      steps.insert(steps.end(), {FileStep(AskSaveFile, FileKind::Profile), Step(ExportProfile),
                                 RepaintStep(RepaintArea::WholeWindow)});
      return;
    case InputCommand::OpenPopup: AppendPopup(steps, request, ui); return;
    case InputCommand::ImportMacros:
      steps.insert(steps.end(), {FileStep(AskOpenFile, FileKind::Macros), Step(ImportMacros), Step(MacrosReloaded),
                                 RepaintStep(RepaintArea::AdvancedRegion)});
      return;
    case InputCommand::ExportMacros:
      steps.insert(steps.end(), {FileStep(AskSaveFile, FileKind::Macros), Step(ExportMacros)});
      return;
    case InputCommand::AddOrSelectMacro: steps.push_back(Step(AddOrSelectMacro)); return;
    case InputCommand::DeleteMacro: steps.push_back(Step(DeleteMacro)); return;
    case InputCommand::ToggleRecording: steps.push_back(Step(ToggleRecording)); return;
    case InputCommand::CommitRepeatCount: steps.push_back(Step(CommitRepeatCount)); return;
    case InputCommand::ToggleRepeatMode: steps.push_back(Step(ToggleRepeatMode)); return;
    case InputCommand::HideCommand:
      // The edits not yet in the mouse are dropped before the window hides.
      steps.insert(steps.end(), {Step(RunHideCommand), Step(SendClose), RepaintStep(RepaintArea::WholeWindow)});
      return;
    case InputCommand::Apply: steps.insert(steps.end(), {Step(Download), Step(Applied)}); return;
    case InputCommand::LoadConfiguration:
      steps.insert(steps.end(), {Step(LoadConfiguration), Step(ConfigurationChosen)});
      return;
    case InputCommand::Minimise: steps.push_back(AtClick(Minimise, request)); return;
    case InputCommand::Close: steps.push_back(Step(SendClose)); return;
    case InputCommand::FactoryReset: {
      InputStep macros = Step(ResetMacros);
      macros.refillMacroList = ui.currentPage == Page::Advanced;
      steps.insert(steps.end(), {Step(ResetConfigurations), macros, Step(Download), Step(FactoryResetDone)});
      return;
    }
    case InputCommand::SwitchToChinese: steps.push_back(Language(0)); return;
    case InputCommand::SwitchToEnglish: steps.push_back(Language(1)); return;
    case InputCommand::OpenWebLink: steps.push_back(Step(OpenWebLink)); return;
  }
}

// What takes the place of the rest of the command when `failed` fails: a
// cancelled question ends the command; a file that is not what it claims to
// be is said so in the window's language, and nothing is reloaded. Nothing
// for the steps that cannot fail.
std::optional<std::vector<InputStep>> AfterFailure(StepKind failed, std::uint8_t languageFlag) {
  switch (failed) {
    case StepKind::AskOpenFile:
    case StepKind::AskSaveFile:
    case StepKind::AskWarning: return std::vector<InputStep>{};
    case StepKind::ImportProfile:
      return std::vector<InputStep>{Message(NoProfileMessage(languageFlag)), RepaintStep(RepaintArea::WholeWindow)};
    case StepKind::ImportMacros: return std::vector<InputStep>{Message(NoMacrosMessage(languageFlag))};
    default: return std::nullopt;
  }
}

}  // namespace

std::u16string_view Extension(FileKind kind) { return kind == FileKind::Profile ? u"ini" : u"dat"; }

InputSteps::InputSteps(const InputRequest& request, const UiState& ui, std::uint8_t languageFlag)
    : languageFlag_(languageFlag) {
  using enum StepKind;
  if (request.closePopup) steps_.push_back(Step(ClosePopup));
  if (request.leaveAdvancedPage) steps_.insert(steps_.end(), {Step(AdvancedPageClosing), Step(DestroyAdvancedControls)});
  if (request.repaint != RepaintArea::None) steps_.push_back(RepaintStep(request.repaint));
  if (request.enterAdvancedPage) {
    // The children paint before the editor fills them, and again after.
    steps_.insert(steps_.end(),
                  {Step(CreateAdvancedControls), Step(UpdateNow), Step(AdvancedPageOpened), Step(UpdateNow)});
  }
  if (request.startColourPreview) steps_.push_back(Step(StartColourPreview));
  // The command reloads or replaces the macro tables: nothing may still be
  // writing into them.
  if (request.endMacroEditing) steps_.push_back(Step(EndMacroEditing));
  commandBegin_ = steps_.size();
  AppendCommand(steps_, request, ui);
  commandEnd_ = steps_.size();
  if (request.updateNow) steps_.push_back(Step(UpdateNow));
}

const InputStep* InputSteps::Next() {
  if (next_ >= steps_.size()) return nullptr;
  return &steps_[next_++];
}

void InputSteps::Report(const StepOutcome& outcome) {
  if (next_ == 0) return;
  const std::size_t done = next_ - 1;
  // Only a step of the command can change the rest of the command.
  if (done < commandBegin_ || done >= commandEnd_) return;
  const StepKind kind = steps_[done].kind;
  if (outcome.succeeded) {
    if (kind != StepKind::AskOpenFile && kind != StepKind::AskSaveFile) return;
    for (std::size_t i = next_; i < commandEnd_; ++i)
      if (TakesChosenFile(steps_[i].kind)) steps_[i].path = outcome.path;
    return;
  }
  const std::optional<std::vector<InputStep>> instead = AfterFailure(kind, languageFlag_);
  if (!instead) return;
  const auto rest = steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(next_),
                                 steps_.begin() + static_cast<std::ptrdiff_t>(commandEnd_));
  steps_.insert(rest, instead->begin(), instead->end());
  commandEnd_ = next_ + instead->size();
}

}  // namespace zr
