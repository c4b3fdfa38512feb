#include "records/options_screen.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/geometry.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/language.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/paths.hpp"
#include "app/return_button.hpp"
#include "app/sheet.hpp"
#include "app/sound.hpp"
#include "app/startup.hpp"
#include "app/transitions.hpp"
#include "app/waiting.hpp"
#include "app/window.hpp"
#include "board/game_state.hpp"
#include "dialog/strip.hpp"
#include "dialog/text_entry.hpp"
#include "files/player_files.hpp"
#include "records/high_scores.hpp"
#include "records/options.hpp"
#include "records/texts.hpp"

#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

namespace records {

namespace {

constexpr int kBackdropX = -232;
constexpr app::Rect kTitlePlate = app::sheet::kHeadingOptions;
constexpr app::Point kTitlePlateAt{353, 90};
constexpr app::HitBox kPanel{150, 130, 650, 420};
constexpr float kRadius = 5;
constexpr int kFirstRowBottom = 180;
constexpr int kRowPitch = 40;
constexpr int kRows = 6;
constexpr int kRowLeft = 180, kRowRight = 620, kRowHeight = 30;
constexpr app::Rect kTrack = app::sheet::kSliderTrack;
constexpr app::Rect kKnob = app::sheet::kSliderKnob;
constexpr app::Rect kDeletePlate = app::sheet::kYesPlate;
constexpr app::Point kDeletePlateAt{502, 233};
constexpr app::Rect kModePlate = app::sheet::kModeSwitch;
constexpr app::Point kModePlateAt{490, 273};
constexpr app::Rect kClockIcon = app::sheet::kClockIcon;
constexpr app::Point kClockIconAt{410, 273};
constexpr app::Point kMusicLabelAt{200, 154};
constexpr app::Point kEffectsLabelAt{200, 194};
constexpr app::Point kFullScreenAt{250, 314};
// The full-screen row: its state beside the label, and the mode's "zmień" plate.
constexpr app::Point kFullScreenStateAt{375, 314};
constexpr app::Point kFullScreenPlateAt{490, 313};
constexpr app::Point kDeleteLabelAt{250, 234};
constexpr int kDeletedMessageY = 234;
constexpr int kCentreX = 400;
constexpr app::Point kModeLabelAt{250, 274};
// The language row: its label in both languages, so that any player finds it; the
// language spoken, named in itself; the "zmień" plate.
constexpr app::Point kLanguageLabelAt{200, 354};
constexpr app::Point kLanguageStateAt{375, 354};
constexpr app::Point kLanguagePlateAt{490, 353};

// One slider: its hit box and where its pieces go. Position x sets the volume
// (x - 447) / 100, so the track spans 0.00 to 1.50.
struct Slider {
    app::HitBox hit;
    app::Point trackAt;
    int barY;   // the filled part, from x 443
    int emptyY; // the empty part while dragging, to x 605
    int knobY;
    app::Point numberAt; // right-aligned
    app::Rect repair;
};
constexpr Slider kMusicSlider{{447, 157, 597, 176}, {440, 160},         167, 166, 156,
                              {430, 158},           {340, 150, 270, 30}};
constexpr Slider kEffectsSlider{{447, 197, 597, 216}, {440, 200},         207, 206, 196,
                                {430, 198},           {340, 190, 270, 30}};
constexpr int kSliderZeroX = 447;
constexpr int kBarStartX = 443;
constexpr int kEmptyEndX = 605;
constexpr int kKnobOffset = 7; // the knob is drawn at 440 + 100 v, the pointer at 447 + 100 v
constexpr float kBarThickness = 5;
constexpr float kPixelsPerUnit = 100.0f;

constexpr app::HitBox kDeleteButton{503, 233, 541, 257};
constexpr app::HitBox kModeButton{491, 273, 554, 296};
constexpr app::HitBox kFullScreenButton{491, 313, 554, 336};
constexpr app::HitBox kLanguageButton{491, 353, 554, 376};
constexpr app::Rect kDeleteRowRepair{190, 232, 400, 28};
constexpr app::Rect kModeLabelRepair{240, 270, 220, 27};
constexpr app::Rect kFullScreenStateRepair{365, 311, 120, 27};
constexpr app::HitBox kDeleteRowErase{185, 232, 610, 258};

constexpr ALLEGRO_COLOR kPanelColour = app::palette::rgb(33, 52, 70);
constexpr ALLEGRO_COLOR kBarColour = app::palette::rgb(11, 88, 99);
constexpr ALLEGRO_COLOR kGreenColour = app::palette::rgb(160, 180, 10);
constexpr ALLEGRO_COLOR kButtonTint{0.4f, 0.8f, 0.8f, 0.5f};

// A volume as the slider shows it: the integer part of 100 v. A hand-made value far
// outside the slider's range is held to what an int can carry.
int percent(float volume) {
    const float scaled = volume * kPixelsPerUnit;
    if (std::isnan(scaled)) {
        return 0;
    }
    return static_cast<int>(std::trunc(std::clamp(scaled, -1e9f, 1e9f)));
}

// Where a volume's bar ends and its knob sits; kept on or near the window.
float volumeX(float volume, int zeroX) {
    return static_cast<float>(zeroX + std::clamp(percent(volume), -1000, 10000));
}

void composeOptions() {
    al_set_target_bitmap(app::Assets.screen);
    app::drawArtWhole(app::Assets.background, {kBackdropX, 0}, ALLEGRO_FLIP_HORIZONTAL);
    app::drawSheet(kTitlePlate, kTitlePlateAt);
    app::drawPanel(kPanel, kRadius, kPanelColour);
    for (int row = 0; row < kRows; ++row) {
        const int bottom = kFirstRowBottom + kRowPitch * row;
        al_draw_rounded_rectangle(kRowLeft, bottom - kRowHeight, kRowRight, bottom, kRadius,
                                  kRadius, app::palette::kSlate, 0);
    }
    app::drawSheet(kTrack, kMusicSlider.trackAt);
    app::drawSheet(kTrack, kEffectsSlider.trackAt);
    ALLEGRO_FONT* font = app::Assets.font20;
    app::drawText(font, app::palette::kSteel, kMusicLabelAt.x, kMusicLabelAt.y, 0,
                  _(texts::kMusicVolume));
    app::drawText(font, app::palette::kSteel, kEffectsLabelAt.x, kEffectsLabelAt.y, 0,
                  _(texts::kEffectsVolume));
    app::drawText(font, app::palette::kSteel, kFullScreenAt.x, kFullScreenAt.y, 0,
                  _(texts::kFullScreen));
    app::drawSheet(kModePlate, kModePlateAt);
    app::drawSheet(kModePlate, kFullScreenPlateAt);
    app::drawText(font, app::palette::kSteel, kLanguageLabelAt.x, kLanguageLabelAt.y, 0,
                  texts::kLanguage);
    app::drawSheet(kModePlate, kLanguagePlateAt);
    app::drawReturnButton(app::kPageReturn);
}

void drawNumber(const Slider& slider, int value) {
    app::drawTextf(app::Assets.fontBold16, app::palette::kSlate, slider.numberAt.x,
                   slider.numberAt.y, ALLEGRO_ALIGN_RIGHT, "%d", value);
}

void drawVolume(const Slider& slider, float volume) {
    al_draw_line(kBarStartX, slider.barY, volumeX(volume, kBarStartX), slider.barY, kBarColour,
                 kBarThickness);
    app::drawSheet(kKnob,
                   {static_cast<int>(volumeX(volume, kSliderZeroX - kKnobOffset)), slider.knobY});
    drawNumber(slider, percent(volume));
}

void drawModeLabel() {
    ALLEGRO_FONT* font = app::Assets.font20;
    if (board::GameState.mode == board::GameMode::Relaxed) {
        app::drawText(font, kGreenColour, kModeLabelAt.x, kModeLabelAt.y, 0,
                      _(texts::kRelaxedMode));
    } else if (board::GameState.mode == board::GameMode::Timed) {
        app::drawText(font, app::palette::kSteel, kModeLabelAt.x, kModeLabelAt.y, 0,
                      _(texts::kTimedMode));
        app::drawSheet(kClockIcon, kClockIconAt);
    }
}

void drawFullScreenState() {
    const bool on = app::Settings.fullScreen;
    app::drawText(app::Assets.font20, on ? kGreenColour : app::palette::kSteel,
                  kFullScreenStateAt.x, kFullScreenStateAt.y, 0,
                  _(on ? texts::kFullScreenOn : texts::kFullScreenOff));
}

void drawLanguageState() {
    const bool english = app::spokenLanguage() == app::Language::English;
    app::drawText(app::Assets.font20, kGreenColour, kLanguageStateAt.x, kLanguageStateAt.y, 0,
                  english ? texts::kEnglish : texts::kPolish);
}

// The settings' rows as they stand, over the composed screen.
void drawSettings() {
    drawVolume(kMusicSlider, app::Settings.musicVolume);
    drawVolume(kEffectsSlider, app::Settings.effectsVolume);
    drawModeLabel();
    drawFullScreenState();
    drawLanguageState();
}

// The whole screen again, as it stands: after a change of scale, and in another language.
void recomposeOptions() {
    composeOptions();
    app::showScreenBuffer();
    drawSettings();
}

void redrawFullScreenState() {
    app::restoreFromScreen(kFullScreenStateRepair);
    drawFullScreenState();
}

void drawDeletedMessage() {
    const char* message = nullptr;
    if (board::GameState.mode == board::GameMode::Relaxed) {
        message = _(texts::kRelaxedListDeleted);
    } else if (board::GameState.mode == board::GameMode::Timed) {
        message = _(texts::kTimedListDeleted);
    }
    if (message != nullptr) {
        app::drawText(app::Assets.font20, app::palette::kCoral, kCentreX, kDeletedMessageY,
                      ALLEGRO_ALIGN_CENTRE, message);
    }
}

// Moves a slider to the pointer; returns the new volume.
float dragSlider(const Slider& slider, int x) {
    app::restoreFromScreen(slider.repair);
    al_draw_line(kBarStartX, slider.barY, x, slider.barY, kBarColour, kBarThickness);
    al_draw_line(x, slider.emptyY, kEmptyEndX, slider.emptyY, app::palette::kBlack, kBarThickness);
    app::drawSheet(kKnob, {x - 5, slider.knobY});
    drawNumber(slider, x - kSliderZeroX);
    return static_cast<float>(x - kSliderZeroX) / kPixelsPerUnit;
}

// The rows the arrows choose from, top to bottom; the return button is the last.
enum Row {
    kNoRow = -1,
    kMusicRow,
    kEffectsRow,
    kDeleteRow,
    kModeRow,
    kFullScreenRow,
    kLanguageRow,
    kReturnRow
};
constexpr ALLEGRO_COLOR kChosenRowColour = app::palette::rgb(120, 220, 255);
constexpr int kFullVolume = 150; // the track's right end, in the slider's steps

// The row Up or Down leads to from `row` (Down from none is the first; the ends stop
// them); the delete row only while there is a list to delete.
int nextRow(int row, int key, bool listShown) {
    const int step = key == ALLEGRO_KEY_DOWN ? 1 : key == ALLEGRO_KEY_UP ? -1 : 0;
    if (step == 0 || (row == kNoRow && step < 0)) {
        return row;
    }
    int next = row + step;
    if (next == kDeleteRow && !listShown) {
        next += step;
    }
    return next < kMusicRow || next > kReturnRow ? row : next;
}

// The chosen row framed in light, the others as composed.
void drawRowFrames(int chosen) {
    for (int row = 0; row < kRows; ++row) {
        const int bottom = kFirstRowBottom + kRowPitch * row;
        al_draw_rounded_rectangle(kRowLeft, bottom - kRowHeight, kRowRight, bottom, kRadius,
                                  kRadius, row == chosen ? kChosenRowColour : app::palette::kSlate,
                                  0);
    }
}

// A volume moved one of the slider's steps by Left or Right, and drawn.
float stepVolume(const Slider& slider, float volume, int key) {
    const int step = key == ALLEGRO_KEY_RIGHT ? 1 : -1;
    // Rounded, not cut: 0.51 is stored as 0.50999..., which must still step to 0.52.
    const long shown =
        std::isnan(volume) ? 0 : std::lround(std::clamp(volume, 0.0f, 1.5f) * kPixelsPerUnit);
    const int value = std::clamp(static_cast<int>(shown) + step, 0, kFullVolume);
    const float stepped = static_cast<float>(value) / kPixelsPerUnit;
    app::restoreFromScreen(slider.repair);
    drawVolume(slider, stepped);
    return stepped;
}

void switchMode() {
    app::drawSheet(kModePlate, kModePlateAt);
    app::restoreFromScreen(kModeLabelRepair);
    int& mode = board::GameState.mode;
    mode = (mode >= 0 && mode < board::GameMode::Timed) ? mode + 1 : board::GameMode::Relaxed;
    drawModeLabel();
    app::showCanvas();
    app::waitForRelease();
}

// The window switches at once, so the player sees the choice before leaving; the switch
// waits for the window manager, and the button is pressed no more than once.
void switchFullScreen() {
    app::drawSheet(kModePlate, kFullScreenPlateAt);
    app::setFullScreen(!app::Settings.fullScreen);
    redrawFullScreenState();
    app::showCanvas();
    app::waitForRelease();
}

// The other language, at once: the whole screen is drawn again in it, its painted words
// included. Stored at once too; false when the choice could not be stored.
bool switchLanguage() {
    app::drawSheet(kModePlate, kLanguagePlateAt);
    const app::Language other = app::spokenLanguage() == app::Language::Polish
                                    ? app::Language::English
                                    : app::Language::Polish;
    bool stored = true;
    if (app::speak(other)) {
        stored = writeLanguageFile();
        app::loadScaledAssets();
        recomposeOptions();
    }
    app::showCanvas();
    app::waitForRelease();
    return stored;
}

} // namespace

files::FileRead listFile() {
    const char* path = listFileName(board::GameState.mode);
    if (path == nullptr) {
        return files::FileRead::Unreadable;
    }
    std::string ignored;
    return files::readPlayerFile(path, 0, ignored);
}

void clearList() {
    app::drawSheet(kDeletePlate, kDeletePlateAt);
    if (const char* path = listFileName(board::GameState.mode)) {
        files::removePlayerFile(path);
    }
    app::showCanvas();
    app::waitForRelease();
    al_draw_filled_rectangle(kDeleteRowErase.x0, kDeleteRowErase.y0, kDeleteRowErase.x1,
                             kDeleteRowErase.y1, kPanelColour);
    drawDeletedMessage();
    clearListInMemory();
}

void optionsScreen() {
    app::fadeOut();
    composeOptions();
    app::setTargetCanvas();
    app::fadeIn();
    drawSettings();
    // The music plays once while the screen is open, so the player hears the volume.
    app::playMusicOnce();

    // Closing the window keeps the settings as leaving by the return button does.
    app::OnWindowClose keep([] { writeOptionsFile(); });
    // After a change of scale: the settings' rows as they stand; the list's row is drawn by
    // every pass of the loop.
    app::OnRescale recompose(recomposeOptions);
    bool leaving = false;
    bool languageStored = true;
    bool fullScreenShown = app::Settings.fullScreen;
    int row = kNoRow; // chosen by the arrows; the mouse moving lets it go
    app::Point pointer{-1, -1};
    app::WaitingScreen waiting;
    while (!leaving) {
        const files::FileRead list = listFile();
        bool listShown = list == files::FileRead::Read;
        if (listShown) {
            app::drawText(app::Assets.font20, app::palette::kSteel, kDeleteLabelAt.x,
                          kDeleteLabelAt.y, 0, _(texts::kDeleteList));
            app::drawSheet(kDeletePlate, kDeletePlateAt);
        } else if (list == files::FileRead::Missing) {
            drawDeletedMessage();
        }
        // A list the game refuses to read (a directory, a link) is neither offered for
        // deletion nor said to be deleted: the row stays empty.
        app::pollInput();
        // F11 may have switched the window since the last frame.
        const bool fullScreenChanged = app::Settings.fullScreen != fullScreenShown;
        if (fullScreenChanged) {
            redrawFullScreenState();
        }
        const app::InputStateRecord& in = app::InputState;
        const bool click = in.buttons == app::kLeftButton;
        if (in.x != pointer.x || in.y != pointer.y) {
            row = pointer.x < 0 ? row : kNoRow;
            pointer = {in.x, in.y};
        }
        const int key = app::takeKey();
        const int rowBefore = row;
        row = nextRow(row, key, listShown);
        bool keyChanged = row != rowBefore;
        const bool sideways = key == ALLEGRO_KEY_LEFT || key == ALLEGRO_KEY_RIGHT;
        const bool flip = sideways || app::isChoiceKey(key);
        if (row == kMusicRow && sideways) {
            app::Settings.musicVolume = stepVolume(kMusicSlider, app::Settings.musicVolume, key);
            app::setMusicGain(app::Settings.musicVolume);
            keyChanged = true;
        }
        if (row == kEffectsRow && sideways) {
            app::Settings.effectsVolume =
                stepVolume(kEffectsSlider, app::Settings.effectsVolume, key);
            keyChanged = true;
        }
        // One press, one action: the row the deletion moves on to waits for a press of
        // its own.
        if (row == kDeleteRow && listShown && app::isChoiceKey(key)) {
            clearList();
            listShown = false;
            row = kModeRow;
        } else if (row == kModeRow && flip) {
            switchMode();
        } else if (row == kFullScreenRow && flip) {
            switchFullScreen();
        } else if (row == kLanguageRow && flip) {
            languageStored = switchLanguage() && languageStored;
        }
        if ((row == kReturnRow && app::isChoiceKey(key)) || key == ALLEGRO_KEY_ESCAPE) {
            app::playCue(app::SoundCue::Menu);
            leaving = true;
        }
        drawRowFrames(row);
        if (row == kReturnRow) {
            app::lightReturnButton(app::kPageReturn);
        }
        if (click && kMusicSlider.hit.contains(in.x, in.y)) {
            app::Settings.musicVolume = dragSlider(kMusicSlider, in.x);
            app::setMusicGain(app::Settings.musicVolume);
        }
        if (click && kEffectsSlider.hit.contains(in.x, in.y)) {
            app::Settings.effectsVolume = dragSlider(kEffectsSlider, in.x);
        }
        if (listShown && kDeleteButton.contains(in.x, in.y)) {
            app::drawSheetTinted(kDeletePlate, kDeletePlateAt, kButtonTint);
            if (click) {
                clearList();
                listShown = false;
            }
        }
        if (kModeButton.contains(in.x, in.y)) {
            app::drawSheetTinted(kModePlate, kModePlateAt, kButtonTint);
            if (click) {
                switchMode();
            }
        }
        if (kFullScreenButton.contains(in.x, in.y)) {
            app::drawSheetTinted(kModePlate, kFullScreenPlateAt, kButtonTint);
            if (click) {
                switchFullScreen();
            }
        }
        if (kLanguageButton.contains(in.x, in.y)) {
            app::drawSheetTinted(kModePlate, kLanguagePlateAt, kButtonTint);
            if (click) {
                languageStored = switchLanguage() && languageStored;
            }
        }
        fullScreenShown = app::Settings.fullScreen;
        if (app::serveReturnButton(app::kPageReturn)) {
            leaving = true;
        }
        waiting.present(fullScreenChanged || keyChanged);
        if (listShown) {
            app::drawSheet(kDeletePlate, kDeletePlateAt);
        }
        app::restoreFromScreen(kDeleteRowRepair);
        app::drawSheet(kModePlate, kModePlateAt);
        app::drawSheet(kModePlate, kFullScreenPlateAt);
        app::drawSheet(kModePlate, kLanguagePlateAt);
        app::repairReturnButton(app::kPageReturn);
        waiting.rest();
    }

    // A full-screen choice that could not be stored when it was made is tried once more,
    // and told like the other settings.
    const bool optionsStored = writeOptionsFile();
    const bool screenStored = app::Settings.fullScreenStored || writeScreenFile();
    // A file the game refused to read fails every write; that is told once a run, any
    // other failure whenever it happens.
    app::SettingsRecord& settings = app::Settings;
    const bool refusedFailed = (!optionsStored && settings.optionsFileRefused) ||
                               (!languageStored && settings.languageFileRefused);
    const bool otherFailed = (!optionsStored && !settings.optionsFileRefused) || !screenStored ||
                             (!languageStored && !settings.languageFileRefused);
    if (otherFailed || (refusedFailed && !settings.refusalTold)) {
        dialog::stripNotice(_(texts::kOptionsNotStored));
        settings.refusalTold = settings.refusalTold || refusedFailed;
    }
}

} // namespace records
