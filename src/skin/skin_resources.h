// The skin pictures by resource id: one table from each id to its picture in the compiled-in
// resources (:/skin/...), with its design size, its frame count and the colour it is laid on
// when the image set turns it into an opaque bitmap. Every picture is an SVG rendered at the
// size asked for, so it stays sharp at every UI scale.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <span>

namespace quorva {

// Resource ids of the skin pictures. Strips hold their frames side by side: 0 normal,
// 1 hover, 2 pressed / active / checked, 3 disabled.
enum SkinResourceId : int {
    IDI_APP = 128,  // application icon

    // Main window buttons: 128 x 32 strips of four 32 x 32 frames, in command order.
    IDB_PLAY_STOP = 154,
    IDB_PLAY_PREV = 144,
    IDB_PLAY = 148,
    IDB_PAUSE = 147,
    IDB_PLAY_SLOW = 142,
    IDB_PLAY_FAST = 139,
    IDB_PLAY_NEXT = 145,
    IDB_SNAPSHOT = 153,
    IDB_SAVE_JOINED = 150,
    IDB_ZOOM_MODE = 200,
    IDB_OPEN_SOURCE = 146,
    IDB_DELETE_FILES = 138,
    IDB_SETTINGS = 151,
    IDB_EXPORT_CSV = 137,
    IDB_MAP_TOGGLE = 357,

    // Caption buttons, 18 high: close 46, maximise / restore / minimise 26, thumbnail 150 wide.
    IDB_WND_CLOSE = 155,
    IDB_WND_MINIMIZE = 156,
    IDB_WND_MAXIMIZE = 157,
    IDB_WND_RESTORE = 158,
    IDB_THUMBNAIL_TOGGLE = 362,

    // Position slider (800 x 10 tracks, 25 x 10 thumbs) and volume slider (100 x 20, 10 x 20).
    IDB_SEEK_PLAYED = 174,
    IDB_SEEK_REMAINING = 159,
    IDB_SEEK_THUMB = 160,
    IDB_SEEK_THUMB_PRESSED = 161,
    IDB_VOLUME_PLAYED = 167,
    IDB_VOLUME_REMAINING = 168,
    IDB_VOLUME_THUMB = 169,
    IDB_VOLUME_THUMB_PRESSED = 170,

    IDB_DIALOG_CLOSE = 352,  // skin dialog close button, four 13 x 12 frames
    IDB_CHECK_MARK = 217,    // check box, four 12 x 12 frames
    IDB_OPTION_MARK = 327,   // option (one of several) mark, four 12 x 12 frames

    IDB_GSENSOR_BACKGROUND = 162,  // 640 x 120: 41 px label strip, grid, frame, centre line
    IDC_ZOOM_CURSOR = 191,         // 32 x 32 cursor of the zoom mode

    // Group tree badges: a base plate and one layer per recording kind, 39 x 21.
    IDB_TREE_BADGE_BASE = 319,
    IDB_TREE_BADGE_IMPACT = 315,
    IDB_TREE_BADGE_MANUAL = 316,
    IDB_TREE_BADGE_PARKING_IMPACT = 317,
    IDB_TREE_BADGE_PARKING = 318,

    // The main window's image set.
    IDB_MAIN_BACKGROUND = 129,      // window body, 1120 x 697
    IDB_LOGO = 372,                 // logo panel, 452 x 392
    IDB_LOGO_OFFLINE = 373,         // logo panel with the no-connection notice
    IDB_CAPTION_BAND = 320,         // 1120 x 24
    IDB_BOTTOM_BAR = 307,           // 1120 x 38
    IDB_BUTTON_SEPARATOR = 309,     // 4 x 32, between the button groups
    IDB_VOLUME_ICON = 321,          // 20 x 20, beside the volume slider
    IDB_VOLUME_MUTED_ICON = 325,    // 20 x 20, volume 0
    IDB_TITLE_EMBLEM = 312,         // 18 x 18 mark for the caption band
    IDB_MOVIE_IDLE = 313,           // 656 x 370, a movie view with nothing open
    IDB_INFO_BACKGROUND = 368,      // info panel, 655 x 105
    IDB_INFO_FIELD_FRAME = 369,     // 100 x 22 field frame
    IDB_INFO_DATE_FRAME = 201,      // 210 x 22
    IDB_INFO_SPEED_FRAME = 207,     // 110 x 24
    IDB_INFO_G_FRAME = 206,         // 64 x 22
    IDB_INFO_RATE_FRAME = 218,      // 160 x 27
    IDB_PLACEHOLDER_DATE = 202,     // 200 x 19
    IDB_PLACEHOLDER_SPEED = 209,    // 100 x 21
    IDB_PLACEHOLDER_VOLTAGE = 210,  // 100 x 21
    IDB_PLACEHOLDER_G_X = 208,      // 58 x 20, one per axis
    IDB_PLACEHOLDER_G_Y = 203,
    IDB_PLACEHOLDER_G_Z = 204,
    IDB_BADGE_720 = 205,  // resolution badges, 60 x 24
    IDB_BADGE_1080 = 213,
    IDB_STATUS_UPPER_R = 211,  // status pictures for 'R', 'r' and any other letter, 60 x 24
    IDB_STATUS_LOWER_R = 350,
    IDB_STATUS_OTHER = 219,
    IDB_GPS_FIX = 351,  // 24 x 24, drawn while the fix is valid
    IDB_GPS_NO_FIX = 212,
    IDI_WINDOW_ICON = 171,      // 32 x 32
    IDB_ZOOM_BADGE = 190,       // 60 x 20, marks a movie view in zoom mode
    IDB_ZOOM_HINT = 214,        // 452 x 630, the file browser's place in zoom mode
    IDB_MAP_PLACEHOLDER = 215,  // 452 x 348, the map's place while it loads
    IDB_BATTERY_ICON = 364,     // 24 x 16, beside the supply voltage
    IDB_ONLINE = 348,           // 16 x 16 connection pictures
    IDB_OFFLINE = 349,
    IDB_EVENT_KIND_FIRST = 331,  // 331..338: event kinds 0..7, 16 x 16
    IDB_EVENT_KIND_LAST = 338,
    IDB_KIND_CONTINUOUS = 339,  // 339..345: recording kinds, 16 x 16
    IDB_KIND_IMPACT = 340,
    IDB_KIND_MANUAL = 341,
    IDB_KIND_PARKING = 342,
    IDB_KIND_PARKING_IMPACT = 343,
    IDB_KIND_TIME_LAPSE = 344,
    IDB_KIND_JOINED = 345,

    // Map pins (32 x 32) and their shadow (49 x 32).
    IDB_PIN_E = 182,
    IDB_PIN_G = 183,
    IDB_PIN_M = 185,
    IDB_PIN_SHADOW = 186,
    IDB_PIN_P = 216,
};

// The colour a picture is laid on when it becomes an opaque bitmap.
enum class SkinMatte { kNone, kWhite, kBlack };

struct SkinResource {
    int id;
    const char* file;  // under :/skin/ (or :/icons/ for the application icon)
    int width;         // design size in pixels
    int height;
    int frames;  // 1 for a single picture, 4 for a frame strip
    SkinMatte matte;
};

// Every picture of the skin, in id order.
std::span<const SkinResource> SkinResources();
const SkinResource* FindSkinResource(int id);

// The resource path (":/skin/...") of a picture; empty for an unknown id.
QString SkinResourcePath(int id);
// The design size; empty for an unknown id.
QSize SkinDesignSize(int id);

// Renders the picture at the given size on a transparent background (premultiplied ARGB);
// a null image for an unknown id, an empty size or a picture that cannot be read.
QImage RenderSkinImage(int id, QSize size);

// The size a picture of the given design size loads at with scale s: height int(h * s);
// width (w / h) * int(h * s) when w is a whole multiple of h (square frames stay square and
// aligned), int(w * s) otherwise.
QSize ScaledBitmapSize(QSize design, double s);

// The picture rendered at ScaledBitmapSize for the scale s (the current UI scale when none
// is given); a null pixmap when the picture cannot be loaded.
QPixmap LoadScaledBitmap(int id, double s);
QPixmap LoadScaledBitmap(int id);

// The application icon (window icon, task bar, desktop entry) at the usual icon sizes.
QIcon ApplicationIcon();

// The zoom cursor (picture 191) at int(32 s) pixels square, its hot spot in the middle of the
// lens; the arrow when the picture cannot be loaded.
QCursor ZoomCursor(double s);

}  // namespace quorva
