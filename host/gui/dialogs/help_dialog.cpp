#include "host/gui/dialogs/help_dialog.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QObject>

#include "stamp/plugin.h"

namespace stamp::gui {
namespace {

const char kHelp[] = QT_TRANSLATE_NOOP(
    "Help",
    "<h3>Stamp</h3>"
    "<p>Presses small pictures, taken from a stamp sheet, onto a canvas of three layers.</p>"
    "<ol>"
    "<li><b>Choose a sheet.</b> Press <i>File</i> on the panel, pick a sheet from the list (or "
    "type its path, or press <i>File</i> in the dialog to browse) and press <i>OK</i>. "
    "<i>Stamp &gt; New sheet from pictures</i> makes a sheet of your own from up to twelve PNG "
    "or BMP pictures; the list shows it beside the samples.</li>"
    "<li><b>Pick a stamp.</b> Click one of the twelve cells, or press <b>A</b> for the previous "
    "and <b>B</b> for the next cell.</li>"
    "<li><b>Size.</b> <i>+</i> and <i>-</i> set the stamp's size, from %1 down to %2 pixels; the "
    "number beside them shows it.</li>"
    "<li><b>Angle.</b> Press on the dial and drag around it; the number below the dial is the "
    "angle in degrees, clockwise.</li>"
    "<li><b>Stamp.</b> Choose the layer, press the pen on the canvas, move the preview into "
    "place and lift the pen: the stamp is pressed into the layer there.</li>"
    "</ol>"
    "<p>Stamps multiply with what lies below them, so their white leaves the picture alone. "
    "Layer 0 lies at the back, layer 2 at the front.</p>"
    "<p><b>Ctrl+Z</b> takes back the last stamp, step by step; <b>Ctrl+Y</b> or "
    "<b>Ctrl+Shift+Z</b> does it again. <i>Zoom</i> (or <b>Ctrl+plus</b>, <b>Ctrl+minus</b>, "
    "<b>Ctrl+wheel</b>) shows the canvas from 1:4 to 8:1; zoomed in, each canvas pixel is a square "
    "block and the stamp still lands under the pointer.</p>"
    "<p><i>File &gt; Save</i> keeps the three layers in an OpenRaster file (.ora) that "
    "<i>File &gt; Open</i> reads again; <i>File &gt; Open picture into layer 0</i> puts a PNG, "
    "JPEG or BMP picture at the back, to stamp on; <i>File &gt; Export picture as PNG</i> writes "
    "the whole picture, the three layers as one, without the stamp under the pointer. "
    "<i>File &gt; Open recent</i> lists the last ten files, and a drawing or picture dropped onto "
    "the window opens too. <i>File &gt; New canvas</i> asks the size. The window "
    "asks before unsaved work is dropped, and autosaves it as "
    "you work: after a crash the next window offers to recover it. The tool keeps its settings "
    "(cell, size, angle, sheet) in the profile when the window closes.</p>");

}  // namespace

void ShowHelp(QWidget* parent) {
  QMessageBox box(QMessageBox::NoIcon, QObject::tr("Stamp help"),
                  QCoreApplication::translate("Help", kHelp)
                      .arg(int{STAMP_HIGHEST_BUTTON_REDUCTION})
                      .arg(int{STAMP_LOWEST_BUTTON_REDUCTION}),
                  QMessageBox::Ok, parent);
  box.setTextFormat(Qt::RichText);
  box.exec();
}

}  // namespace stamp::gui
