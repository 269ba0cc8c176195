#pragma once
// Where the program keeps what it remembers for the engineer (the project fields of the report,
// the last folder used …): QSettings under the program's own name, ~/.config/pylora/Pylora.conf.

namespace pylora {

// Names the organisation and application for QSettings. Settings that an earlier version kept
// under Qt's "Unknown Organization" are taken over once, when the program's own file does not
// exist yet; the old file is left as it is.
void useProgramSettings();

}  // namespace pylora
