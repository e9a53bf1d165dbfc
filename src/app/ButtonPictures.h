#pragma once

#include <QIcon>

namespace quillmere::app {

// The 32 by 32 pictures of the picture buttons, drawn here at every resolution the screen may ask for.
QIcon textFilePicture();    // a page of text with a large blue letter T
QIcon folderPicture();      // an open yellow folder holding papers
QIcon spreadsheetPicture(); // a spreadsheet grid in a window frame

// A fully transparent 32 by 32 picture, so that the title bar shows no icon.
QIcon transparentIcon();

} // namespace quillmere::app
