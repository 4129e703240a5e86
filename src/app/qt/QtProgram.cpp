#include "app/qt/QtProgram.h"

#include <QApplication>

#include "core/ProgramInfo.h"

namespace zelk {

QtProgram::QtProgram(Seams seams)
    : dialogs_(&main_, kProgramTitle),
      flow_(FrontEnd{main_, seams.prompter ? *seams.prompter : dialogs_, [this] { showAbout(); },
                     [this](int exitStatus) { main_.endProgram(exitStatus); },
                     [this] { main_.discardInput(); },
                     [this](const FilesToRemoveList& list) { showFilesToRemove(list); }},
            std::move(seams.access), withSystemFolders(std::move(seams.folders))) {
    main_.setCommands(flow_.windowCommands());
}

bool QtProgram::start() {
    if (!flow_.load()) {
        return false;
    }
    main_.showAfterLoad();
    return true;
}

int QtProgram::run() {
    return QApplication::exec();
}

// One About window serves the whole run; each showing loads its texts anew.
void QtProgram::showAbout() {
    if (!about_) {
        about_ = std::make_unique<frmAbout>();
    }
    about_->showModal(&main_);
}

// Made anew for each showing, from the list the flow gives it.
void QtProgram::showFilesToRemove(const FilesToRemoveList& list) {
    frmFilesToRemove window(list, &main_);
    window.showModal();
}

}  // namespace zelk
