// info_windows.cpp: the splash and about windows as data.
#include "info_windows.h"

namespace tintwise::layout {

namespace {

constexpr engine::ColourValue kBlack = 0x000000;
constexpr engine::ColourValue kLinkBlue = 0xFF0000;  // red 0, green 0, blue 255
constexpr engine::ColourValue kEtchGrey = 0x808080;
constexpr engine::ColourValue kEtchWhite = 0xFFFFFF;

// Both windows use the font they were designed with.
constexpr Font kWindowFont{"MS Sans Serif", 8.25};

Control& add(WindowLayout& w, std::string name, Kind kind, TwipsRect twips, std::string caption = {})
{
    Control& c = w.controls.emplace_back();
    c.id = 100 + static_cast<int>(w.controls.size()) - 1;
    c.name = std::move(name);
    c.kind = kind;
    c.twips = twips;
    c.caption = std::move(caption);
    return c;
}

WindowLayout makeSplash()
{
    WindowLayout w;
    w.name = "frmSplash";
    w.clientWidth = 4545;
    w.clientHeight = 4815;
    w.font = kWindowFont;
    add(w, "picQuillon", Kind::PictureBox, {120, 120, 4350, 1380}, std::string(kMakerLogo));
    Control& proud = add(w, "lblProud", Kind::Label, {240, 1680, 4230, 615}, "Proudly Presents");
    proud.font = Font{"Times New Roman", 21.75, true, false, true};
    proud.align = Align::Centre;
    add(w, "picTintwise", Kind::PictureBox, {200, 2520, 4200, 1290}, std::string(kProductLogo));
    add(w, "lblCopyright", Kind::Label, {120, 3960, 4335, 255},
        "Copyright \u00A9 2026 Tintwise Developers")
        .align = Align::Centre;
    Control& msg = add(w, "lblMsg", Kind::Label, {480, 4320, 3615, 375},
                       "Romans 10:17; Luke 13:3&&5; Matthew 10:32-33; Acts 8:35-39; Romans 6:3-5");
    msg.align = Align::Centre;
    msg.wordWrap = true;
    return w;
}

WindowLayout makeAbout()
{
    WindowLayout w;
    w.name = "frmAbout";
    w.caption = "About " + std::string(kAppTitle);
    w.clientWidth = 6390;
    w.clientHeight = 6840;
    w.font = kWindowFont;

    // The controls that take the focus, in the order Tab visits them; "OK" has it first.
    add(w, "cmdOK", Kind::CommandButton, {4965, 5505, 1260, 345}, "OK");
    add(w, "cmdSysInfo", Kind::CommandButton, {4980, 5955, 1245, 345}, "&System Info...");
    Control& link = add(w, "lblLink", Kind::Link, {120, 4980, 6135, 225}, std::string(kWebAddress));
    link.align = Align::Centre;
    link.textColour = kLinkBlue;
    link.font = Font{kWindowFont.family, kWindowFont.points, false, true};
    add(w, "cmdSupport", Kind::CommandButton, {4980, 6405, 1245, 345}, "S&upport");

    add(w, "picTintwise", Kind::PictureBox, {1080, 120, 4200, 1290}, std::string(kProductLogo));
    add(w, "LblVersion", Kind::Label, {1125, 1560, 3975, 255}, "Version 3.1");
    Control& description =
        add(w, "lblDescription", Kind::Label, {120, 2040, 6165, 2805},
            "Tintwise is a game that requires concentration and deductive reasoning.  The "
            "object of the game is to guess, in the correct order, the colors that the computer "
            "has selected.  To begin, you push the Start button (or ctrl+S or File Menu, Start). "
            "The computer will then randomly select four colors.  There are 7 colors for the "
            "beginner game, 11 colors for the intermediate game, and 15 colors for the advanced "
            "game.  Please note that the computer will not choose the same color more than once "
            "per game.  You then, click the colors you desire and then click the boxes where you "
            "think those colors belong.  Then, you push the Correct? Button.  The computer will "
            "then give you hints on the numbers that you have right.  In the Correct column will "
            "be the number of colors that you have right and in the right place.  In the Out Of "
            "Place column will be the number of colors that you have right but in the wrong "
            "place.  If you have all four colors right in the right place, you win.  If not, try "
            "another guess.  Continue these steps until either you win (all four colors correct) "
            "or you lose by not getting all four colors correct in ten guesses.  That\u2019s it.  "
            "Have Fun!");
    description.textColour = kBlack;
    description.wordWrap = true;
    Control& warning = add(w, "Label1", Kind::Label, {120, 5520, 4335, 1185},
                           "Warning: this program is protected by copyright law. Reproducing or "
                           "distributing it, or any part of it, without the permission of "
                           "Tintwise Developers is not allowed.");
    warning.textColour = kBlack;
    warning.wordWrap = true;

    // An etched separator: a grey line over a two-pixel white one.
    add(w, "Line1_1", Kind::Line, {0, 5325, 6390, kTwipsPerPixel}).background = kEtchGrey;
    add(w, "Line1_0", Kind::Line, {0, 5340, 6375, 2 * kTwipsPerPixel}).background = kEtchWhite;
    return w;
}

} // namespace

const WindowLayout& frmSplash()
{
    static const WindowLayout window = makeSplash();
    return window;
}

const WindowLayout& frmAbout()
{
    static const WindowLayout window = makeAbout();
    return window;
}

} // namespace tintwise::layout
