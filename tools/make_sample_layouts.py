#!/usr/bin/env python3
"""Writes the motions, sheets and pages of sample/.

Motion.ini, TskMotion.ini, Sheet.ini, TskSheet.ini, PageMng.ini, Page.ini
and the favourite under Favorites/ refer to one another by name: sheets name
motions and frames, pages name sheets, page links name pages. They all come
from the tables below, so a name changed here changes everywhere. The files
are written byte for byte as the device reads them: ASCII (the same in every
ANSI code page), CR LF, no BOM.

Coordinates are pixels of the reference screen (480 on the short side, the
item 300 high in both orientations; 480 wide in portrait, 640 in
landscape). Times are milliseconds at animation speed 10.

    python3 tools/make_sample_layouts.py [sample-folder]
"""

import math
import os
import sys

PORTRAIT_W, LANDSCAPE_W, ITEM_H = 480, 640, 300
INSTALL_DIR = "\\Program Files\\Orvane\\"

# ---------------------------------------------------------------- motions
#
# A step is (x spec, y spec, kind, time, vx, vy). An ACCEL step that eases
# out onto its target over distance d in time t starts with the speed
# 2 d / t (thousandths of a pixel per ms), which is what ease() gives.


def ease(d, t):
    return int(2000 * d / t)


HOP = 12        # height of the little hop of DROP_IN, POP_IN and the out hops
OVERSHOOT = 16  # how far LEFT_IN and RIGHT_IN shoot past their slot

MOTIONS = [
    # name, comment lines, steps
    ("RISE_IN", ["Rises from below the item straight onto its slot at an even pace."], [
        ("+0", ":BOTTOMOUT", "NORMAL", 420, 0, 0),
        ("+0", "+0", "END", 0, 0, 0),
    ]),
    ("BOUNCE_IN", ["Rises from below, shoots 14 pixels past its slot and settles back:",
                   "two NORMAL steps."], [
        ("+0", ":BOTTOMOUT", "NORMAL", 360, 0, 0),
        ("+0", "-14", "NORMAL", 140, 0, 0),
        ("+0", "+0", "END", 0, 0, 0),
    ]),
    ("DROP_IN", ["Falls from above the item, gathering speed, and bounces once on its slot."], [
        ("+0", ":TOPOUT", "ACCEL", 340, 0, 0),
        ("+0", "+0", "ACCEL", 110, 0, ease(-HOP, 110)),
        ("+0", "-%d" % HOP, "ACCEL", 110, 0, 0),
        ("+0", "+0", "END", 0, 0, 0),
    ]),
    ("LEFT_IN", ["Flies in from the left edge, passes its slot and eases back onto it."], [
        (":LEFTOUT", "+0", "NORMAL", 300, 0, 0),
        ("+%d" % OVERSHOOT, "+0", "ACCEL", 150, ease(-OVERSHOOT, 150), 0),
        ("+0", "+0", "END", 0, 0, 0),
    ]),
    ("RIGHT_IN", ["Flies in from the right edge, passes its slot and eases back onto it."], [
        (":RIGHTOUT", "+0", "NORMAL", 300, 0, 0),
        ("-%d" % OVERSHOOT, "+0", "ACCEL", 150, ease(OVERSHOOT, 150), 0),
        ("+0", "+0", "END", 0, 0, 0),
    ]),
    ("ZOOM_IN", ["Waits in the middle of the item with the others, then spreads out",
                 "to its slot: the page seems to open from the centre."], [
        (":CENTER", ":VCENTER", "NO_MOV", 60, 0, 0),
        (":CENTER", ":VCENTER", "NORMAL", 320, 0, 0),
        ("+0", "+0", "END", 0, 0, 0),
    ]),
    ("POP_IN", ["Out of sight until its turn, then pops up on its slot with a small hop.",
                "The NO_MOV step puts it on the next step's point at once."], [
        ("+0", ":BOTTOMOUT", "NO_MOV", 1, 0, 0),
        ("+0", "+0", "ACCEL", 90, 0, ease(-HOP, 90)),
        ("+0", "-%d" % HOP, "ACCEL", 90, 0, 0),
        ("+0", "+0", "END", 0, 0, 0),
    ]),
    ("SINK_OUT", ["Sinks below the item at an even pace."], [
        ("+0", "+0", "NORMAL", 320, 0, 0),
        ("+0", ":BOTTOMOUT", "END", 0, 0, 0),
    ]),
    ("FALL_OUT", ["Hops up a little, then falls out of the bottom, gathering speed."], [
        ("+0", "+0", "ACCEL", 90, 0, ease(-HOP, 90)),
        ("+0", "-%d" % HOP, "ACCEL", 300, 0, 0),
        ("+0", ":BOTTOMOUT", "END", 0, 0, 0),
    ]),
    ("LIFT_OUT", ["Takes off upwards, gathering speed, and leaves at the top."], [
        ("+0", "+0", "ACCEL", 300, 0, 0),
        ("+0", ":TOPOUT", "END", 0, 0, 0),
    ]),
    ("LEFT_OUT", ["Speeds away through the left edge."], [
        ("+0", "+0", "ACCEL", 300, 0, 0),
        (":LEFTOUT", "+0", "END", 0, 0, 0),
    ]),
    ("RIGHT_OUT", ["Speeds away through the right edge."], [
        ("+0", "+0", "ACCEL", 300, 0, 0),
        (":RIGHTOUT", "+0", "END", 0, 0, 0),
    ]),
    ("ZOOM_OUT", ["Gathers in the middle of the item and vanishes there."], [
        ("+0", "+0", "NORMAL", 260, 0, 0),
        (":CENTER", ":VCENTER", "NO_MOV", 1, 0, 0),
        (":CENTER", ":BOTTOMOUT", "END", 0, 0, 0),
    ]),
    ("POP_OUT", ["Hops up a little and vanishes."], [
        ("+0", "+0", "ACCEL", 90, 0, ease(-HOP, 90)),
        ("+0", "-%d" % HOP, "NO_MOV", 1, 0, 0),
        ("+0", ":BOTTOMOUT", "END", 0, 0, 0),
    ]),
]

TASK_MOTIONS = [
    ("TSK_IN", ["Running programs slide in from the right and ease onto their slots."], [
        (":RIGHTOUT", "+0", "NORMAL", 260, 0, 0),
        ("-10", "+0", "ACCEL", 140, ease(10, 140), 0),
        ("+0", "+0", "END", 0, 0, 0),
    ]),
    ("TSK_OUT", ["Running programs speed away to the right."], [
        ("+0", "+0", "ACCEL", 260, 0, 0),
        (":RIGHTOUT", "+0", "END", 0, 0, 0),
    ]),
    ("TSK_ROW_IN", ["The page's own icons drop from the top and settle."], [
        ("+0", ":TOPOUT", "NORMAL", 300, 0, 0),
        ("+0", "+8", "ACCEL", 120, 0, ease(-8, 120)),
        ("+0", "+0", "END", 0, 0, 0),
    ]),
    ("TSK_ROW_OUT", ["The page's own icons leave through the top."], [
        ("+0", "+0", "ACCEL", 260, 0, 0),
        ("+0", ":TOPOUT", "END", 0, 0, 0),
    ]),
]

MOTION_HEADER = [
    "; Orvane motions: how the icons of a page enter and leave their slots.",
    ";",
    "; A name in square brackets starts a motion; each line after it is one step:",
    ";   X,Y,KIND,TIME,VX,VY",
    "; X,Y is the point where the step starts; the icon travels from there to the",
    "; point of the next step. Each coordinate is relative to the icon's slot:",
    "; +N (or plain N) adds to it, -N subtracts from it, and :N sets it outright.",
    "; Instead of N a word names a place on the item: LEFTOUT, RIGHTOUT, TOPOUT,",
    "; BOTTOMOUT just outside an edge; LEFTIN, RIGHTIN, TOPIN, BOTTOMIN just",
    "; inside it; CENTER and VCENTER the middle across and down; WIDTH, HEIGHT.",
    "; KIND: NORMAL travels at an even pace. ACCEL starts with the speed VX,VY",
    ";   (thousandths of a pixel per millisecond; 0 = from rest) and bends its",
    ";   path to arrive exactly on the next point. NO_MOV stands on the next",
    ";   point for TIME. END: the motion is over, the icon rests on this point.",
    "; TIME is in milliseconds at animation speed 10. Coordinates are pixels of",
    "; a 480-pixel screen; the item is 300 high and 480 or 640 wide.",
    "; In-motions end with an END step on the slot (+0,+0); out-motions end",
    "; outside the item. A sheet picks one of each for every slot.",
]

TASK_MOTION_HEADER = [
    "; Orvane motions of the task page, read after Motion.ini (same format).",
    "; Keep the names apart from those of Motion.ini: a later motion of the same",
    "; name replaces the earlier one everywhere.",
]


def motion_lines(header, motions):
    lines = list(header)
    for name, comment, steps in motions:
        lines += ["", "[%s]" % name] + ["; " + c for c in comment]
        for x, y, kind, time, vx, vy in steps:
            lines.append("%s,%s,%s,%d,%d,%d" % (x, y, kind, time, vx, vy))
    return lines


# ---------------------------------------------------------------- frames

def regular(n, radius, rotation=0.0):
    pts = []
    for i in range(n):
        a = math.radians(rotation + 360.0 * i / n)
        pts.append((int(round(radius * math.sin(a))), int(round(-radius * math.cos(a)))))
    return pts


FRAMES = [
    # name, comment, points (for a 64-pixel icon; they grow with the slot's size)
    ("F_ROUND", "Rounded rectangle around an icon and its caption.",
     [(-44, -46), (44, 46)]),
    ("F_TAB", "Card with two corners cut off.",
     [(-44, -34), (-32, -46), (44, -46), (44, 34), (32, 46), (-44, 46)]),
    ("F_HEX", "Hexagon standing on a point; the caption sits in its lower half.",
     [(0, -52), (46, -26), (46, 26), (0, 52), (-46, 26), (-46, -26)]),
    ("F_DIAMOND", "Diamond, drawn around a 48-pixel icon: its caption stays narrow.",
     [(0, -62), (62, 0), (0, 62), (-62, 0)]),
    ("F_DIAL", "Sixteen-sided ring around the analog clock.",
     regular(16, 47)),
    ("F_CAL", "Rectangle around a month calendar in 14-pixel type.",
     [(-74, -76), (74, 76)]),
    ("F_WIDE", "Flat band behind a line of date and time in 20-pixel type.",
     [(-104, -18), (104, 18)]),
]


# ---------------------------------------------------------------- sheets
#
# A slot is (x, y, delay in, delay out, motion in, motion out, frame, size);
# a sheet is a list of rows.


def slot(x, y, din, dout, mi, mo, frame="F_ROUND", size=64):
    return (x, y, din, dout, mi, mo, frame, size)


def columns(width, count, pitch):
    first = (width - pitch * (count - 1)) // 2
    return [first + pitch * i for i in range(count)]


def home_grid(width, pitch):
    """Three rows of five: the top row drops in, the middle row flies in from
    both sides around a centre that pops up last, the bottom row rises."""
    xs = columns(width, 5, pitch)
    top = [slot(x, 50, 40 * c, 20 * c, "DROP_IN", "LIFT_OUT") for c, x in enumerate(xs)]
    # The inner ones of each side start first, so that no icon flies
    # through another.
    side = {0: ("LEFT_IN", "LEFT_OUT", 170), 1: ("LEFT_IN", "LEFT_OUT", 120), 2: ("POP_IN", "POP_OUT", 380),
            3: ("RIGHT_IN", "RIGHT_OUT", 120), 4: ("RIGHT_IN", "RIGHT_OUT", 170)}
    middle = [slot(x, 150, side[c][2], 20 * c, side[c][0], side[c][1]) for c, x in enumerate(xs)]
    bottom = [slot(x, 250, 200 + 40 * c, 20 * c, "BOUNCE_IN", "FALL_OUT") for c, x in enumerate(xs)]
    return [top, middle, bottom]


def recent_grid(width, pitch):
    """A row of five programs over two rows of five diamonds for the recent
    programs. The page opens from the centre: the nearer a slot lies to the
    middle, the sooner it leaves the crowd."""
    xs = columns(width, 5, pitch)
    rows = []
    for r, y in enumerate((50, 148, 244)):
        row = []
        for c, x in enumerate(xs):
            ring = max(abs(r - 1), abs(c - 2))
            frame, size = ("F_TAB", 64) if r == 0 else ("F_DIAMOND", 48)
            row.append(slot(x, y, 50 * ring + 10 * c, 15 * (2 - ring), "ZOOM_IN", "ZOOM_OUT", frame, size))
        rows.append(row)
    return rows


def links_zigzag(width, pitch):
    """Five hexagons in a zigzag, popping up one after another."""
    xs = columns(width, 5, pitch)
    return [[slot(x, 115 if c % 2 == 0 else 185, 80 * c, 30 * c, "POP_IN", "POP_OUT", "F_HEX")
             for c, x in enumerate(xs)]]


def strip(width, count, pitch):
    """One row that scrolls when the page has more icons: they come in from
    the right like cards dealt onto a table and leave to the left."""
    return [[slot(x, 150, 60 * c, 30 * c, "RIGHT_IN", "LEFT_OUT", "F_TAB")
             for c, x in enumerate(columns(width, count, pitch))]]


PANEL_FRAMES = ("F_DIAL", "F_CAL", "F_WIDE")


def clock_sheet(clock, clock_size, cal1, cal2, digital, weekday):
    """Slot 0 the analog clock, 1 and 2 calendars, 3 the digital clock and 4
    the weekday line."""
    return [[
        slot(clock[0], clock[1], 0, 0, "DROP_IN", "LIFT_OUT", "F_DIAL", clock_size),
        slot(cal1[0], cal1[1], 90, 40, "DROP_IN", "LIFT_OUT", "F_CAL"),
        slot(cal2[0], cal2[1], 180, 80, "RIGHT_IN", "RIGHT_OUT", "F_CAL"),
    ], [
        slot(digital[0], digital[1], 300, 0, "RISE_IN", "SINK_OUT", "F_WIDE"),
        slot(weekday[0], weekday[1], 360, 20, "RISE_IN", "SINK_OUT", "F_WIDE"),
    ]]


SHEETS = [
    ("S_HOME_P", "Portrait grid, 3 x 5.", home_grid(PORTRAIT_W, 96)),
    ("S_HOME_L", "Landscape grid, 3 x 5 with more room between the columns.", home_grid(LANDSCAPE_W, 124)),
    ("S_RECENT_P", "Portrait: five programs over ten recent programs, opening from the centre.",
     recent_grid(PORTRAIT_W, 96)),
    ("S_RECENT_L", "The same in landscape.", recent_grid(LANDSCAPE_W, 124)),
    ("S_LINKS_P", "Portrait zigzag of five hexagons.", links_zigzag(PORTRAIT_W, 96)),
    ("S_LINKS_L", "Landscape zigzag of five hexagons.", links_zigzag(LANDSCAPE_W, 104)),
    ("S_STRIP_P", "Portrait strip of five slots; a page with more icons scrolls through it.",
     strip(PORTRAIT_W, 5, 96)),
    ("S_STRIP_L", "Landscape strip of six slots.", strip(LANDSCAPE_W, 6, 104)),
    ("S_CLOCK_P", "Portrait panels: clock, this month, next month, digital clock, weekday.",
     clock_sheet((80, 118), 96, (240, 118), (400, 118), (126, 262), (354, 262))),
    ("S_CLOCK_L", "Landscape panels, with a larger clock.",
     clock_sheet((130, 120), 112, (330, 120), (520, 120), (206, 264), (434, 264))),
]


# The task sheet brings its own frames, so that it looks the same whichever
# folder Sheet.ini comes from.
TASK_FRAMES = [
    ("F_TSK_ICON", "Rounded rectangle around an icon of the page's own row.",
     [(-44, -46), (44, 46)]),
    ("F_TSK_HEX", "Hexagon around a running program; the two rows interlock as a honeycomb.",
     [(0, -52), (46, -26), (46, 26), (0, 52), (-46, 26), (-46, -26)]),
]


def task_sheet():
    """Row 0: the task page's own icons. Rows 1 and 2: running programs, in
    a honeycomb of hexagons; the task page gathers the occupied ones in the
    bottom-right corner and puts row 0 just above them."""
    own = [slot(36 + 72 * c, 36, 40 * c, 20 * c, "TSK_ROW_IN", "TSK_ROW_OUT", "F_TSK_ICON", 48) for c in range(4)]
    upper = [slot(36 + 72 * c, 126, 240 + 30 * c, 15 * c, "TSK_IN", "TSK_OUT", "F_TSK_HEX", 48) for c in range(6)]
    lower = [slot(72 + 72 * c, 186, 60 + 30 * c, 15 * c, "TSK_IN", "TSK_OUT", "F_TSK_HEX", 48) for c in range(6)]
    return [own, upper, lower]


TASK_SHEETS = [
    ("TSK_SHEET", "The task page, both orientations.", task_sheet()),
]

SHEET_HEADER = [
    "; Orvane frames and sheets.",
    ";",
    "; Frames come first: a name in square brackets, then its points X,Y, one a",
    "; line, around the slot's centre, in pixels for a 64-pixel icon (they grow",
    "; and shrink with the slot's size). Two points make a rectangle with",
    "; slightly rounded corners, three or more a polygon.",
    ";",
    "; The line SHEET_DEF in square brackets ends the frames. Each sheet after",
    "; it is a name in square brackets followed by its slots, one a line:",
    ";   X,Y,DELAYIN,DELAYOUT,MOTIONIN,MOTIONOUT,FRAME,SIZE",
    "; X,Y the slot's centre; DELAYIN, DELAYOUT milliseconds before the slot's",
    "; motions start; the motions by name from Motion.ini; the frame by name;",
    "; SIZE the icon size in pixels. A line ;CR ends a row. The item is 300",
    "; high; 480 wide in portrait, 640 in landscape. An icon with its caption",
    "; needs about 64 x 80 pixels around the slot's centre.",
]

TASK_SHEET_HEADER = [
    "; Orvane task sheets: the layouts the task page TRLS_PAGE can use (format",
    "; as in Sheet.ini). Row 0 holds the page's own icons; every slot of the",
    "; rows below shows a running program, the last slot the first one found.",
]


def sheet_lines(header, frames, sheets):
    lines = list(header)
    for name, comment, points in frames:
        lines += ["", "[%s]" % name, "; " + comment]
        lines += ["%d,%d" % p for p in points]
    lines += ["", "[SHEET_DEF]"]
    for name, comment, rows in sheets:
        lines += ["", "[%s]" % name, "; " + comment]
        for i, row in enumerate(rows):
            for x, y, din, dout, mi, mo, frame, size in row:
                lines.append("%d,%d,%d,%d,%s,%s,%s,%d" % (x, y, din, dout, mi, mo, frame, size))
            if i < len(rows) - 1:
                lines.append(";CR")
    return lines


# ---------------------------------------------------------------- pages

def program(name, path, args="", image=""):
    return (1, name, path, args, image, 0, "----", "", "")


def favourite(name, url_file, image="\\\\Icon\\IconAppURL.bmp"):
    return (3, name, INSTALL_DIR + "Favorites\\" + url_file, "", image, 0, "----", "", "")


def page_link(name, page, image="\\\\Icon\\IconPage0.bmp"):
    return (6, name, page, "", image, 0, "----", "", "")


def panel(name, what, args="", image=""):
    return (10000, name, what, args, image, 0, "----", "", "")


# A recent slot has no path of its own: it shows a program launched earlier.
def recent(n):
    return (20 + n - 1, "Recent-%02d" % n, "", "", "", 0, "----", "", "")


def icon(name):
    return "\\\\Icon\\" + name


WIN = "\\Windows\\"
SYS = "\\Windows\\system32\\"

NOTES = program("Notes", WIN + "notepad.exe", image=icon("Notes.png"))
WEB = program("Web", "\\Program Files\\Internet Explorer\\iexplore.exe", image=icon("Web.png"))
FILES = program("Files", SYS + "winefile.exe", image=icon("Files.png"))
CONSOLE = program("Console", SYS + "cmd.exe", "/k ver", icon("Terminal.png"))
SETTINGS = program("Settings", SYS + "control.exe", image=icon("Settings.png"))
MINES = program("Mines", SYS + "winemine.exe", image=icon("Games.png"))
TASKMGR = program("Task Mgr", SYS + "taskmgr.exe")
REGEDIT = program("Regedit", WIN + "regedit.exe")
WORDPAD = program("WordPad", "\\Program Files\\Windows NT\\Accessories\\wordpad.exe")

FAVOURITES = [("Example.url", "http://www.example.com/")]

PAGES = [
    # name, (portrait sheet, start slot, keeps active), landscape, icons
    ("Home", ("S_HOME_P", 0, 0), ("S_HOME_L", 0, 0), [
        NOTES, WEB, FILES, CONSOLE, SETTINGS,
        MINES, TASKMGR, REGEDIT, WORDPAD, favourite("Example", "Example.url"),
        page_link("Tools", "Tools", icon("Tools.png")),
        page_link("Recent", "Recent", icon("Recent.png")),
        page_link("Clock", "Clock", icon("Clock.png")),
        page_link("Tasks", "TRLS_PAGE", icon("Tasks.png")),
        page_link("Pages", "Pages"),
    ]),
    ("Tools", ("S_STRIP_P", 0, 0), ("S_STRIP_L", 0, 0), [
        program("Explorer", WIN + "explorer.exe"),
        WORDPAD,
        REGEDIT,
        TASKMGR,
        program("Console", SYS + "cmd.exe", image=icon("Terminal.png")),
        program("Wine Setup", SYS + "winecfg.exe", image=icon("Settings.png")),
        program("Clock", SYS + "clock.exe", image=icon("Clock.png")),
        # The caption is the system's build number, read from the registry
        # and put into the name as into a format.
        (1, "Build %s", SYS + "winver.exe", "", "", 4, "HKLM",
         "Software\\Microsoft\\Windows NT\\CurrentVersion", "CurrentBuild"),
        # A number that another program keeps (none does on its own: the
        # demo counts it up), shown through the name as well.
        (1, "Count %d", WIN + "regedit.exe", "", "", 4, "HKCU", "Software\\Orvane\\Sample", "Count"),
        program("Help", SYS + "winhlp32.exe"),
        program("Programs", SYS + "progman.exe"),
        program("OLE View", SYS + "oleview.exe"),
        program("Uninstall", SYS + "uninstaller.exe"),
    ]),
    ("Recent", ("S_RECENT_P", 0, 0), ("S_RECENT_L", 0, 0),
     [NOTES, WEB, CONSOLE, MINES, page_link("Home", "Home", icon("Home.png"))]
     + [recent(n) for n in range(1, 11)]),
    ("Clock", ("S_CLOCK_P", 0, 1), ("S_CLOCK_L", 0, 1), [
        panel("Clock", "ACLOCK", image=icon("ClockFace.png")),
        panel("This month", "CAL", image="Tahoma(14)CT"),
        panel("Next month", "CAL", "1", "Tahoma(14)CT"),
        # Times and dates in the C library's codes; names of days and months
        # in the system's language.
        panel("Digital", "%H:%M:%S", image="Tahoma(26)CT"),
        panel("Weekday", "%A", image="Tahoma(20)CT"),
    ]),
    ("Pages", ("S_LINKS_P", 0, 0), ("S_LINKS_L", 0, 0), [
        page_link("Home", "Home"),
        page_link("Tools", "Tools"),
        page_link("Recent", "Recent"),
        page_link("Clock", "Clock"),
        page_link("Tasks", "TRLS_PAGE"),
    ]),
    # Only the icons of row 0; the loader fills the task rows.
    ("TRLS_PAGE", ("TSK_SHEET", 0, 0), ("TSK_SHEET", 0, 0), [
        page_link("Home", "Home", icon("Home.png")),
        TASKMGR,
        program("Console", SYS + "cmd.exe", image=icon("Terminal.png")),
        page_link("Pages", "Pages"),
    ]),
]

PAGE_HEADER = [
    "; Orvane pages, in any order (PageMng.ini decides the order shown).",
    ";",
    "; A page is its name in square brackets, then two lines SHEET,STARTSLOT,ACTIVE",
    "; for portrait and for landscape (ACTIVE 1: the page keeps moving and",
    "; updating while the Today item is not selected), then one line per icon:",
    ";   TYPE,NAME,PATH,ARGUMENTS,IMAGE,REGMODE,ROOT;KEY;VALUE",
    "; TYPE 1 program, 2 shortcut, 3 favourite (.url file), 5 blank, 6 link to the",
    "; page named in PATH, 20 to 29 recently started programs (newest first),",
    "; 40 to 71 running programs, 10000 a panel: PATH ACLOCK is an analog clock",
    "; over IMAGE, CAL a month calendar (ARGUMENTS: months from now) and any",
    "; other PATH a date and time format; for those two IMAGE is the font,",
    "; FACE(PIXELS) with CT for ClearType. An IMAGE starting with two",
    "; backslashes is relative to the Orvane folder; no IMAGE shows the",
    "; program's own icon. REGMODE 0 shows NAME; with ROOT HKCR, HKCU, HKLM or",
    "; HKU it can show a registry value: 1 the value, 2 value and name, 3 name",
    "; and value, 4 NAME as the format of the value. ---- is no root.",
    "; The icon lines fill the sheet's slots in order.",
]


def page_lines():
    lines = list(PAGE_HEADER)
    for name, portrait, landscape, icons in PAGES:
        lines += ["", "[%s]" % name]
        if name == "TRLS_PAGE":
            lines.append("; The task page: rows 1 and 2 of its sheet are filled with running programs.")
        lines += ["%s,%d,%d" % portrait, "%s,%d,%d" % landscape]
        for e in icons:
            lines.append("%d,%s,%s,%s,%s,%d,%s;%s;%s" % e)
    return lines


def page_mng_lines():
    return ["1,%s" % name for name, _, _, _ in PAGES]


# ---------------------------------------------------------------- checks

LINE_MAX = 1024
NAME_MAX = 63
FIELD_MAX = 259


def check(files):
    """What the loaders need of these files, checked before anything is
    written."""
    motion_names = {m[0] for m in MOTIONS + TASK_MOTIONS} | {"DMOV_IN", "DMOV_OUT"}
    assert len(motion_names) == len(MOTIONS) + len(TASK_MOTIONS) + 2, "motion names must differ"
    for name, _, steps in MOTIONS + TASK_MOTIONS:
        assert len(name) <= NAME_MAX and steps[-1][2] == "END", name
        if name.endswith("_IN"):
            assert steps[-1][:2] == ("+0", "+0"), name
        else:
            assert "OUT" in steps[-1][0] + steps[-1][1], name
    frame_names = {f[0] for f in FRAMES + TASK_FRAMES}
    assert len(frame_names) == len(FRAMES) + len(TASK_FRAMES), "frame names must differ"
    sheet_names = set()
    for sheets, task in ((SHEETS, False), (TASK_SHEETS, True)):
        for name, _, rows in sheets:
            sheet_names.add(name)
            slots = [s for row in rows for s in row]
            assert 0 < len(slots) <= 127, name
            for x, y, din, dout, mi, mo, frame, size in slots:
                assert mi in motion_names and mo in motion_names and frame in frame_names, name
                assert mi.endswith("_IN") and mo.endswith("_OUT"), name
                assert 0 <= din < 65536 and 0 <= dout < 65536 and 0 < size < 256, name
                if task:
                    continue  # the task page moves its slots itself
                width = PORTRAIT_W if name.endswith("_P") else LANDSCAPE_W
                points = frames_by_name(frame)
                x0 = x + min(p[0] for p in points) * size // 64
                x1 = x + max(p[0] for p in points) * size // 64
                y0 = y + min(p[1] for p in points) * size // 64
                y1 = y + max(p[1] for p in points) * size // 64
                assert 0 <= x0 and x1 <= width and 0 <= y0 and y1 <= ITEM_H, (name, x, y, "frame")
                if frame not in PANEL_FRAMES:
                    # The icon and its caption: 64 wide, 80 high together.
                    assert 32 <= x <= width - 32 and 40 <= y <= ITEM_H - 40, (name, x, y)
    # The sample is meant to show every motion and frame it defines.
    used = {v for _, _, rows in SHEETS + TASK_SHEETS for row in rows for s in row for v in (s[4], s[5], s[6])}
    assert motion_names - {"DMOV_IN", "DMOV_OUT"} <= used and frame_names <= used, "defined but never used"
    page_names = {p[0] for p in PAGES}
    for name, portrait, landscape, icons in PAGES:
        assert not set(name) & set("[],") and len(name) <= NAME_MAX, name
        for sheet, start, active in (portrait, landscape):
            assert sheet in sheet_names, (name, sheet)
        counts = {len([s for row in sheets_by_name(s) for s in row]) for s, _, _ in (portrait, landscape)}
        if name != "TRLS_PAGE" and name != "Tools":
            assert len(icons) <= min(counts), (name, "more icons than slots")
        if name == "Tools":
            assert len(icons) > max(counts), "the strip page is meant to scroll"
        for e in icons:
            assert e[2] or e[0] in range(20, 30), (name, e[1], "only recent slots go without a path")
            for field in (e[1], e[2], e[3], e[4], e[7], e[8]):
                assert len(field) <= FIELD_MAX and not set(field) & set(",;"), (name, field)
            assert not set(e[1]) & set("[]"), (name, e[1])
            if e[0] == 6:
                assert e[2] in page_names, (name, e[2])
    for path, lines in files.items():
        for line in lines:
            data = line.encode("ascii")
            assert len(data) + 2 <= LINE_MAX and line == line.strip(), (path, line)


def frames_by_name(name):
    for n, _, points in FRAMES + TASK_FRAMES:
        if n == name:
            return points
    raise KeyError(name)


def sheets_by_name(name):
    for n, _, rows in SHEETS + TASK_SHEETS:
        if n == name:
            return rows
    raise KeyError(name)


# ---------------------------------------------------------------- main

def write(path, lines):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("ascii"))


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "sample")
    files = {
        "Motion.ini": motion_lines(MOTION_HEADER, MOTIONS),
        "TskMotion.ini": motion_lines(TASK_MOTION_HEADER, TASK_MOTIONS),
        "Sheet.ini": sheet_lines(SHEET_HEADER, FRAMES, SHEETS),
        "TskSheet.ini": sheet_lines(TASK_SHEET_HEADER, TASK_FRAMES, TASK_SHEETS),
        "PageMng.ini": page_mng_lines(),
        "Page.ini": page_lines(),
    }
    for name, url in FAVOURITES:
        files[os.path.join("Favorites", name)] = ["[InternetShortcut]", "URL=" + url]
    check(files)
    for name, lines in files.items():
        write(os.path.join(folder, name), lines)


if __name__ == "__main__":
    main()
