#pragma once

// Builds a skinned dialog the way the program does, from the skin folder's layout file and
// pictures, with every control placed from the layout file and filled with sample content,
// so that the skin can be looked at (and tested) without the rest of the program.

#include <QImage>
#include <filesystem>
#include <memory>

#include "common/result.h"
#include "ui/skin/paint_hook.h"
#include "ui/skin/skin_dialog.h"

namespace q804::skingen {

enum class PreviewDialog { kMain, kComposite, kProfile };

struct PreviewOptions {
    std::filesystem::path skinDir;
    std::filesystem::path languageFile;  // captions; missing keys show their key
    int effect = 1;                      // main window: the lighting effect shown
    bool lightingView = true;            // main window: the lighting panel is shown
    int editorPage = 2;                  // assignment editor: 2 key, 4 macro, 7 media, 8 function
};

// The dialog with its controls, not shown. Fails as the program would: when the
// background or shape picture cannot be read.
Result<std::unique_ptr<CBaseDialog>> BuildPreview(PreviewDialog dialog,
                                                  const PreviewOptions& options,
                                                  PaintHookRegistry& hooks);

// The dialog as it appears on screen: rendered offscreen, transparent outside its shape.
QImage RenderPreview(CBaseDialog& dialog);

}  // namespace q804::skingen
