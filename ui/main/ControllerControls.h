#pragma once

class CLanguageSet;
class CSkinFolders;
class QDialog;

// Creates every child of the main window at its place, the skinned controls first in their
// fixed order, then the plain ones in layout order (which is also the tab order), and gives
// them their fonts and colours. 0, 1014 (a control cannot be attached) or 1015 (a skinned
// control's pictures cannot be prepared).
[[nodiscard]] int CreateMainWindowControls(QDialog& window, const CLanguageSet& language,
                                           const CSkinFolders& folders, bool cutMode);
