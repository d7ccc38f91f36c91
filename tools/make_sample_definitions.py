#!/usr/bin/env python3
"""Writes the definition files and the default Orvane.ini of sample/.

The Japanese and the English definition files share keys, kinds, defaults,
editors and option values, and Orvane.ini holds exactly those defaults, so
all five files come from the one table below. Run it after changing the
table; it rewrites the files byte for byte as the device reads them (ANSI
code page, CR LF, no BOM): Shift-JIS for the Japanese files, ASCII for the
English ones and for Orvane.ini.

    python3 tools/make_sample_definitions.py [sample-folder]
"""

import os
import sys

# Help texts are written with real line breaks here; the files carry them
# as the two characters backslash n.
EMPTY = "\\\\"


def opts(*items):
    """CMB options: (value, English caption, Japanese caption)."""
    return ("CMB", list(items))


OFF_ON = opts((0, "Off", "オフ"), (1, "On", "オン"))


class Def:
    def __init__(self, key, kind, default, editor, label, help_text):
        self.key = key
        self.kind = kind
        self.default = default
        if isinstance(editor, tuple):
            self.editor, self.options = editor
            self.params = None
        else:
            self.editor, self.params = editor.split(" ", 1)
            self.options = None
        self.label = label          # (English, Japanese)
        self.help = help_text       # (English, Japanese)

    def line(self, lang):
        if self.options is not None:
            assert all("," not in c[lang] and ";" not in c[lang] for _, *c in self.options), self.key
            params = ";".join("%d:%s" % (v, c[lang]) for v, *c in self.options)
        else:
            params = self.params
        # Commas separate the fields; only the help text, the last one, may hold them.
        assert "," not in self.label[lang] and "," not in params, self.key
        help_text = self.help[lang].replace("\n", "\\n") or EMPTY
        return "%s=%d,%s,%s,%s,%s,%s" % (self.key, self.kind, self.default or EMPTY, self.label[lang],
                                         self.editor, params, help_text)

    def stored_value(self):
        """The default as the settings program writes it to Orvane.ini."""
        if self.kind == 1:
            return self.default
        if ";" in self.default:
            r, g, b = (int(p) for p in self.default.split(";"))
            return str(r | g << 8 | b << 16)
        return str(int(self.default))


EN, JA = 0, 1


def slot_colours(prefix, en_kind, ja_kind, en_plural, ja_plural, fill, grad, pen, first, with_use):
    """The fill, gradient end, gradient offset and outline of one slot kind,
    preceded by its "own colours" switch for the special kinds."""
    defs = []
    if with_use:
        defs.append(Def(prefix + "BgUse", 0, "1", OFF_ON,
                        ("%s: own colours" % en_kind, "%s: 専用の色を使う" % ja_kind),
                        ("On: %s get their own slot colours (the next four settings). "
                         "Off: they look like ordinary icons." % en_plural,
                         "オン: %sの背景に専用の色（続く 4 項目）を使います。"
                         "オフ: 通常のアイコンと同じ色になります。" % ja_plural)))
    defs += [
        Def(prefix + "BgColor", 0, fill, "COLOR " + EMPTY,
            ("%s: fill colour" % en_kind, "%s: 塗りの色" % ja_kind),
            ("Fill colour of the slots behind %s." % en_plural,
             "%sの背景を塗る色です。" % ja_plural)),
        Def(prefix + "BgGrad", 0, grad, "COLOR " + EMPTY,
            ("%s: gradient end colour" % en_kind, "%s: グラデーションの終わりの色" % ja_kind),
            ("Colour at the bottom of the slot: the fill runs from the fill colour at the top to this "
             "colour." + (" Black (000000) turns the gradients of all slot kinds off; they are then "
                          "filled with the plain fill colour." if first else ""),
             "背景の下端の色です。上端の塗りの色からこの色へ変わっていきます。"
             + ("黒（000000）にすると、すべての種類の背景でグラデーションを使わず、塗りの色だけで塗ります。"
                if first else ""))),
        Def(prefix + "BgGradOfs", 0, "0", OFF_ON,
            ("%s: gradient starts lower" % en_kind, "%s: グラデーションの開始を下げる" % ja_kind),
            ("On: the gradient starts at 45 % of the slot height; the part above it keeps the plain "
             "fill colour. Off: it runs over the whole slot.",
             "オン: グラデーションを背景の高さの 45 % の位置から始め、それより上は塗りの色のままにします。"
             "オフ: 背景全体がグラデーションになります。")),
        Def(prefix + "BgPen", 0, pen, "COLOR " + EMPTY,
            ("%s: outline colour" % en_kind if not first else "Icon slot: outline and page frame",
             "%s: 枠線の色" % ja_kind if not first else "通常アイコン背景: 枠線とページ枠の色"),
            ("Colour of the outline around %s." % en_plural
             + (" The frame drawn around the page uses it too." if first else ""),
             "%sの背景の枠線の色です。" % ja_plural
             + ("ページの周りの枠もこの色で描きます。" if first else ""))),
    ]
    return defs


DEFS = [
    Def("Reserved0", 0, "0", "INT 0;0;1;1",
        ("Reserved", "予約"),
        ("Not used. This line only keeps the numbering of the settings.",
         "使われていません。設定の番号をそろえるための項目です。")),
    Def("UseTarliseFiles", 0, "0", OFF_ON,
        ("Use the page files of Tarlise", "Tarlise のページファイルを使う"),
        ("On: when the task launcher Tarlise is installed, Orvane reads Motion.ini, Sheet.ini and "
         "Page.ini from the Tarlise folder, so both show the same pages.\n"
         "Off: Orvane uses the files in its own folder.\n"
         "This setting is changed on the Env tab.",
         "オン: タスクランチャー Tarlise がインストールされていれば、Motion.ini、Sheet.ini、Page.ini を"
         " Tarlise のフォルダから読みます。両方で同じページを使えます。\n"
         "オフ: Orvane のフォルダにあるファイルを使います。\n"
         "この設定は「環境」タブで変更します。")),
    Def("Language", 0, "0", opts((0, "Auto", "自動"), (1, "Japanese", "日本語"), (2, "English", "英語")),
        ("Language", "言語"),
        ("Language of Orvane and of this settings program.\n"
         "Auto: follows the language of the system.",
         "Orvane とこの設定プログラムの言語です。\n"
         "自動: システムの言語に合わせます。")),
    Def("RefSize", 0, "480", "INT 120;1920;1;10",
        ("Reference screen size (pixels)", "基準の画面サイズ（ピクセル）"),
        ("The short screen side, in pixels, for which the coordinates in Motion.ini and Sheet.ini are "
         "written. They are scaled by screen size / reference size.\n"
         "The supplied files are written for 480 (VGA). Use 240 for files made for a QVGA screen.",
         "Motion.ini と Sheet.ini の座標が前提とする画面の短辺（ピクセル）です。"
         "座標は「画面サイズ ÷ 基準サイズ」倍して使います。\n"
         "付属のファイルは 480（VGA）用です。QVGA 用に作られたファイルを使うときは 240 にします。")),
    Def("ScreenSize", 0, "-1", "INT -1;1920;1;10",
        ("Screen size (pixels)", "画面サイズ（ピクセル）"),
        ("The short side of the screen in pixels. -1 = detect it automatically; the item heights "
         "(portrait and landscape) are then set to screen size x 300 / 480 too, that is 300 on a "
         "480 x 640 screen.\n"
         "Enter a number only if the automatic value is wrong.",
         "実際の画面の短辺（ピクセル）です。-1 で自動的に調べます。このとき項目の高さ（縦・横）も"
         "「画面サイズ × 300 ÷ 480」にします（480 × 640 の画面では 300）。\n"
         "自動の値が合わないときだけ数値を入れてください。")),
    Def("FramePeriod", 0, "30", "INT 10;200;1;10",
        ("Frame interval (ms)", "フレーム間隔（ミリ秒）"),
        ("Time between two animation frames, in milliseconds. Smaller values move more smoothly but "
         "use more battery.\n"
         "30 (about 33 frames per second) suits a 480 x 640 screen; use 40 to 50 on slow devices.",
         "アニメーションの 1 コマの時間（ミリ秒）です。小さいほど滑らかに動きますが、電池を多く使います。\n"
         "480 × 640 の画面では 30（毎秒約 33 コマ）が目安です。遅い機種では 40 から 50 にします。")),
    Def("AnimSpeed", 0, "10", "INT 1;100;1;5",
        ("Animation speed", "アニメーションの速さ"),
        ("10 = normal speed: the times in Motion.ini are milliseconds. 20 plays every motion twice as "
         "fast, 5 at half speed.\n"
         "Values from 10 to 15 look natural.",
         "10 が標準の速さで、Motion.ini の時間がそのままミリ秒になります。20 で 2 倍の速さ、5 で半分の速さです。\n"
         "10 から 15 が自然に見えます。")),
    Def("FirstPage", 1, "", "CST " + EMPTY,
        ("Start page", "開始ページ"),
        ("Page shown when Orvane starts. Empty = the page that was shown last.\n"
         "Tap to choose from the list of pages.",
         "Orvane が始まるときに表示するページです。空欄なら最後に表示していたページです。\n"
         "タップするとページの一覧から選べます。")),
    Def("CaptionFont", 1, "90;Tahoma", "FONT P;60;240",
        ("Caption font", "アイコン名のフォント"),
        ("Typeface and size of the icon captions; only proportional fonts are offered. The size is "
         "kept in tenths of a point (90 = 9 pt), from 6 to 24 pt.\n"
         "9 pt suits a 480 x 640 screen; use 8 pt for small icons.",
         "アイコン名の書体とサイズです。プロポーショナルフォントだけを選べます。サイズは 0.1 ポイント単位"
         "（90 = 9 ポイント）で、6 から 24 ポイントまでです。\n"
         "480 × 640 の画面では 9 ポイントが目安です。小さいアイコンでは 8 ポイントにします。")),
    Def("TextShadow", 0, "1", "INT 0;5;1;1",
        ("Caption shadow (pixels)", "アイコン名の影（ピクセル）"),
        ("Offset of the shadow under the captions, in pixels. 0 = no shadow.\n"
         "1 keeps captions readable on bright wallpapers; use 2 with large fonts.",
         "アイコン名の下に描く影のずれ（ピクセル）です。0 で影を描きません。\n"
         "1 にすると明るい壁紙の上でも読みやすくなります。大きいフォントでは 2 にします。")),
    Def("ClearType", 0, "1", OFF_ON,
        ("Smooth captions (ClearType)", "アイコン名を滑らかに（ClearType）"),
        ("On: the captions are drawn with ClearType smoothing. Off: plain edges, slightly faster.\n"
         "On is recommended on VGA screens.",
         "オン: アイコン名を ClearType で滑らかに描きます。オフ: 縁は粗くなりますが少し速くなります。\n"
         "VGA の画面ではオンをお勧めします。")),
    Def("CaptionMode", 0, "1",
        opts((0, "None", "なし"), (1, "Below the icon", "アイコンの下"), (2, "Above the icon", "アイコンの上")),
        ("Captions", "アイコン名の表示"),
        ("Where the name of each icon is written. None shows the icons without names.",
         "各アイコンの名前を書く位置です。「なし」にすると名前を表示しません。")),
    Def("VibrateOnTap", 0, "1", OFF_ON,
        ("Vibrate on tap", "タップで振動"),
        ("On: a short vibration confirms a tap that launches a program or turns a page.",
         "オン: プログラムを起動したりページを切り替えたりするタップを、短い振動で知らせます。")),
    Def("VibrateLed", 0, "1", "CST 0;1;1;1",
        ("Vibrator LED number", "振動に使う LED の番号"),
        ("On Windows Mobile the vibrator is one of the notification LEDs. Orvane uses the LEDs up to "
         "this number as the vibrator; the list offers the LEDs of this device.\n"
         "Most devices use 1. If nothing vibrates, try another number.",
         "Windows Mobile ではバイブレーターは通知 LED の 1 つです。この番号までの LED をバイブレーターとして"
         "使います。一覧にはこの機種の LED の番号が出ます。\n"
         "多くの機種では 1 です。振動しないときは別の番号を試してください。")),
    Def("KeyNavMode", 0, "2",
        opts((0, "Up/Down go through the icons", "上下でアイコンを移動"),
             (1, "Left/Right turn pages - Up/Down go through the icons",
              "左右でページを切替 - 上下でアイコンを移動"),
             (2, "The cursor moves in all four directions", "カーソルが上下左右に移動")),
        ("Cursor keys", "カーソルキーの動作"),
        ("How the cursor keys act while the Orvane item is selected on the Today screen.",
         "Today 画面で Orvane の項目を選んでいるときの、カーソルキーの働きです。")),
    Def("ZoomFactor", 0, "12", "INT 10;20;1;1",
        ("Press zoom (x 0.1)", "押したときの拡大（0.1 倍単位）"),
        ("Size of a pressed icon in tenths of its normal size: 12 = 1.2 times, 10 = no zoom. The icon "
         "overshoots briefly before it settles.\n"
         "12 to 14 suit a 480 x 640 screen; larger values cover the neighbouring icons.",
         "押したアイコンの大きさを 0.1 倍単位で指定します（12 = 1.2 倍、10 = 拡大しない）。"
         "少し行き過ぎてから落ち着きます。\n"
         "480 × 640 の画面では 12 から 14 が目安です。大きすぎると隣のアイコンに重なります。")),
    Def("ZoomTime", 0, "200", "INT 0;1000;10;50",
        ("Press zoom time (ms)", "拡大にかける時間（ミリ秒）"),
        ("Milliseconds the press zoom takes. 0 = the icon jumps to its zoomed size at once.\n"
         "150 to 250 feel responsive.",
         "押したときの拡大にかける時間（ミリ秒）です。0 ですぐに拡大した大きさになります。\n"
         "150 から 250 で反応よく感じられます。")),
    Def("ShowTiming", 0, "0", OFF_ON,
        ("Show frame times", "フレーム時間を表示"),
        ("On: a line in the item shows how long the frames take. Useful for tuning the frame "
         "interval; leave it off in daily use.",
         "オン: 項目の中にフレームの所要時間を 1 行で表示します。フレーム間隔の調整に使います。"
         "普段はオフにしてください。")),
    Def("TaskHoldAction", 0, "1",
        opts((0, "Tap opens the menu", "タップでメニュー"),
             (1, "Tap switches - hold opens the menu", "タップで切替 - ホールドでメニュー"),
             (2, "Tap switches - hold closes the app", "タップで切替 - ホールドで終了")),
        ("Task icons: tap and hold", "タスクアイコンのタップとホールド"),
        ("How the icons of running programs react. Switching brings the program to the front; the "
         "menu offers switching and closing.\n"
         "This setting is changed on the Task tab.",
         "実行中のプログラムのアイコンの動作です。切替はそのプログラムを前面に出します。"
         "メニューからは切替と終了ができます。\n"
         "この設定は「タスク」タブで変更します。")),
    Def("HeightPortrait", 0, "300", "INT 50;1000;1;10",
        ("Item height in portrait (pixels)", "項目の高さ 縦画面（ピクセル）"),
        ("Height of the Orvane item on the Today screen in portrait orientation, in pixels.\n"
         "On a 480 x 640 screen 300 (the automatic value) leaves room for other Today items; use more "
         "if Orvane is your only one.",
         "縦画面での、Today 画面上の Orvane の項目の高さ（ピクセル）です。\n"
         "480 × 640 の画面では 300（自動の値）ならほかの Today 項目も表示できます。"
         "Orvane だけを使うなら大きくします。")),
    Def("HeightLandscape", 0, "300", "INT 50;1000;1;10",
        ("Item height in landscape (pixels)", "項目の高さ 横画面（ピクセル）"),
        ("Height of the Orvane item on the Today screen in landscape orientation, in pixels.\n"
         "The screen is only 480 pixels high then; 300 (the automatic value) leaves room for the title "
         "and menu bars.",
         "横画面での、Today 画面上の Orvane の項目の高さ（ピクセル）です。\n"
         "このとき画面の高さは 480 しかありません。300（自動の値）ならタイトルバーとメニューバーも収まります。")),
    Def("EdgePortrait", 0, "30", "INT 0;240;1;5",
        ("Page-turn edges in portrait (pixels)", "ページ切替の端 縦画面（ピクセル）"),
        ("Width of the zones at the left and right edges that turn to the previous or next page when "
         "tapped, in portrait orientation. 0 = no edge zones.\n"
         "30 is easy to hit with a finger on a 480 x 640 screen without covering icons.",
         "縦画面で、タップすると前後のページに切り替わる左右の端の幅（ピクセル）です。0 で端での切替をしません。\n"
         "480 × 640 の画面では 30 なら指で押しやすく、アイコンの邪魔になりません。")),
    Def("EdgeLandscape", 0, "30", "INT 0;240;1;5",
        ("Page-turn edges in landscape (pixels)", "ページ切替の端 横画面（ピクセル）"),
        ("Width of the zones at the left and right edges that turn to the previous or next page when "
         "tapped, in landscape orientation. 0 = no edge zones.\n"
         "30 to 40 suit the 640 pixels wide landscape screen.",
         "横画面で、タップすると前後のページに切り替わる左右の端の幅（ピクセル）です。0 で端での切替をしません。\n"
         "幅 640 の横画面では 30 から 40 が目安です。")),
]
DEFS += slot_colours("Icon", "Icon slot", "通常アイコン背景", "ordinary icons", "通常のアイコン",
                     "40;56;88", "12;18;32", "120;150;200", True, False)
DEFS += slot_colours("Link", "Page link slot", "ページリンク背景", "page-link icons", "ページリンクのアイコン",
                     "40;88;60", "12;36;22", "110;190;130", False, True)
DEFS += slot_colours("Task", "Task slot", "タスク背景", "running-task icons", "実行中のタスクのアイコン",
                     "88;52;40", "36;18;12", "210;140;110", False, True)
DEFS += slot_colours("Recent", "Recent slot", "履歴背景", "recently launched icons", "最近起動したアイコン",
                     "70;50;96", "28;18;42", "170;140;220", False, True)
DEFS += [
    Def("CaptionColor", 0, "255;255;255", "COLOR " + EMPTY,
        ("Caption colour", "アイコン名の色"),
        ("Colour of the icon captions. White reads well on dark slot colours; choose a dark colour "
         "with bright slots.",
         "アイコン名の文字の色です。暗い背景色には白が読みやすく、明るい背景色には暗い色を選びます。")),
    Def("FrameBlend", 0, "40", "INT 0;100;1;10",
        ("Frame transparency (%)", "枠の透明度（%）"),
        ("While the item is selected, how much of the wallpaper shows through the slot frames, in "
         "percent: 0 = opaque frames, 100 = invisible frames.\n"
         "30 to 50 keep the frames visible without hiding the wallpaper.",
         "項目を選んでいる間、アイコン背景の枠から壁紙がどれだけ透けて見えるかを % で指定します。"
         "0 で透けない枠、100 で見えない枠になります。\n"
         "30 から 50 なら枠が見えて壁紙も隠れません。")),
    Def("TaskInterval", 0, "3", "INT 1;60;1;5",
        ("Task scan interval (s)", "タスクを調べる間隔（秒）"),
        ("Seconds between two scans of the running programs. Shorter intervals update the task icons "
         "sooner but use more battery.\n"
         "3 to 5 is a good balance.",
         "実行中のプログラムを調べる間隔（秒）です。短いほどタスクアイコンが早く更新されますが、"
         "電池を多く使います。\n"
         "3 から 5 が目安です。")),
    Def("ScrollPitch", 0, "96", "INT 16;480;1;8",
        ("Scroll step (reference pixels)", "スクロールの間隔（基準ピクセル）"),
        ("Distance between two icons of a scrolling strip whose slots do not give one, in reference "
         "pixels (scaled like the coordinates in Sheet.ini).\n"
         "96 puts five icons across a 480 pixels wide screen.",
         "スクロールする列で、背景の指定に間隔がないときのアイコンの間隔です。単位は基準ピクセル"
         "（Sheet.ini の座標と同じく拡大・縮小されます）。\n"
         "96 なら幅 480 の画面にアイコンが 5 個並びます。")),
    Def("FlingSpeed", 0, "8", "INT 1;100;1;5",
        ("Glide threshold (pixels per frame)", "慣性が始まる速さ（ピクセル/フレーム）"),
        ("When a strip is released while it moves faster than this many pixels per frame, it keeps "
         "gliding. Lower values start a glide more easily.\n"
         "8 suits finger use on a 480 x 640 screen.",
         "列をドラッグして指を離したとき、1 フレームにこのピクセル数より速く動いていれば、"
         "そのまま滑り続けます。小さいほど滑り始めやすくなります。\n"
         "480 × 640 の画面を指で操作するなら 8 が目安です。")),
    Def("GlideFactor", 0, "850", "INT 0;990;1;50",
        ("Glide speed kept (1/1000 per 100 ms)", "慣性で残る速さ（100 ミリ秒ごと 1/1000 単位）"),
        ("Share of its speed a glide keeps every 100 ms, in thousandths: 850 = 85 %. Higher values "
         "glide longer; 0 stops at once.\n"
         "800 to 900 feel natural.",
         "滑っている列が 100 ミリ秒ごとに保つ速さの割合を 1/1000 単位で指定します（850 = 85 %）。"
         "大きいほど長く滑り、0 ではすぐに止まります。\n"
         "800 から 900 が自然に感じられます。")),
    Def("Reserved48", 0, "0", "INT 0;0;1;1",
        ("Reserved", "予約"),
        ("Not used.", "使われていません。")),
]

APP_DEFS = [
    Def("Name", 1, "", "STR 63",
        ("Name", "名前"),
        ("Caption shown with the icon. When the icon shows a registry value, \"Name and value\" below "
         "decides how the two are combined.",
         "アイコンと一緒に表示する名前です。レジストリの値を表示するときは、下の「名前と値」で組み合わせ方を決めます。")),
    Def("Num", 0, "24", opts(*[(20 + i, "x %02d" % (i + 1), "x %02d" % (i + 1)) for i in range(10)]),
        ("Num", "Num"),
        ("Number of icons this entry creates for recently launched or running programs.",
         "最近起動したプログラムや実行中のプログラムのために作るアイコンの数です。")),
    Def("Path", 1, "", "CST " + EMPTY,
        ("Path", "Path"),
        ("What the icon launches: a program, a shortcut or a favourite file. For a page link, the "
         "name of the page to show.",
         "アイコンで起動するものです。プログラム、ショートカット、お気に入りのファイルを指定します。"
         "ページリンクでは表示するページの名前です。")),
    Def("Args", 1, "", "CST " + EMPTY,
        ("Option", "オプション"),
        ("Command-line arguments passed to the program. Leave empty if it needs none.",
         "プログラムに渡すコマンドライン引数です。必要なければ空欄にします。")),
    Def("IconFile", 1, "", "CST " + EMPTY,
        ("Icon file", "アイコンファイル"),
        ("Image file of the icon: BMP, PNG, JPG or GIF.\n"
         "For calendar and date panels, the font of the panel instead, for example Tahoma(14)CT.",
         "アイコンの画像ファイルです（BMP、PNG、JPG、GIF）。\n"
         "カレンダーと日付のパネルでは、代わりにパネルのフォントを Tahoma(14)CT のように指定します。")),
    Def("RegMode", 0, "0",
        opts((0, "NAME", "名前"), (1, "REGISTRY", "レジストリ"), (2, "REG + NAME", "レジストリ + 名前"),
             (3, "NAME + REG", "名前 + レジストリ"), (4, "Name is use as Format String", "名前を書式として使う")),
        ("Name and value", "名前と値"),
        ("How a registry value enters the caption: the name only, the value only, the value before "
         "the name, the name before the value, or the name as a format string that takes the value.",
         "表示する名前にレジストリの値をどう入れるかを選びます。名前だけ、値だけ、値の後に名前、"
         "名前の後に値、または名前を値の書式として使います。")),
    Def("RegRoot", 0, "0", opts(*[(i, r, r) for i, r in enumerate(["----", "HKCR", "HKCU", "HKLM", "HKU"])]),
        ("Registry root", "レジストリのルート"),
        ("Root key of the registry value: HKCR = HKEY_CLASSES_ROOT, HKCU = HKEY_CURRENT_USER, "
         "HKLM = HKEY_LOCAL_MACHINE, HKU = HKEY_USERS. ---- = no registry value.",
         "レジストリの値のルートキーです。HKCR = HKEY_CLASSES_ROOT、HKCU = HKEY_CURRENT_USER、"
         "HKLM = HKEY_LOCAL_MACHINE、HKU = HKEY_USERS。---- ではレジストリの値を使いません。")),
    Def("RegKey", 1, "", "STR 259",
        ("Registry key", "レジストリキー"),
        ("Path of the key below the root, without the root's name; the parts are separated by "
         "backslashes.",
         "ルートの下のキーのパスです。ルートの名前は書かず、各部分を円記号（バックスラッシュ）で区切ります。")),
    Def("RegValue", 1, "", "STR 259",
        ("Value name", "値の名前"),
        ("Name of the value to read from that key.",
         "そのキーから読む値の名前です。")),
    Def("RegTest", 1, "", "CST " + EMPTY,
        ("Test", "テスト"),
        ("Tap to read the registry value now and show it. This is only a test; nothing is stored.",
         "タップするとレジストリの値をすぐに読んで表示します。確認のためだけで、何も保存しません。")),
]

HEADERS = {
    ("OrvaneSetInfoEng.ini", EN): [
        "; Orvane settings list: one definition per setting, in the order of the setting numbers",
        "; (English; OrvaneSetInfo.ini is the Japanese twin with the same keys and defaults).",
        "; KEY=KIND,DEFAULT,LABEL,EDITOR,PARAMS,HELP",
        ";   KIND 0 number, 1 text. A lone \\\\ is an empty field; \\n in HELP is a line break.",
    ],
    ("OrvaneSetInfo.ini", JA): [
        "; Orvane 設定一覧の定義: 設定番号の順に 1 行 1 項目",
        "; （日本語。OrvaneSetInfoEng.ini は英語版で、キーと既定値は同じ）",
        "; キー=種類,既定値,表示名,エディタ,パラメータ,ヘルプ",
        ";   種類 0 数値、1 文字列。\\\\ だけの欄は空、ヘルプの \\n は改行。",
    ],
    ("AppSetInfoEng.ini", EN): [
        "; Orvane icon editor: the properties of one icon, in fixed order",
        "; (English; AppSetInfo.ini is the Japanese twin with the same keys and defaults).",
        "; KEY=KIND,DEFAULT,LABEL,EDITOR,PARAMS,HELP",
        ";   KIND 0 number, 1 text. A lone \\\\ is an empty field; \\n in HELP is a line break.",
    ],
    ("AppSetInfo.ini", JA): [
        "; Orvane アイコン編集: 1 つのアイコンの項目（順序は固定）",
        "; （日本語。AppSetInfoEng.ini は英語版で、キーと既定値は同じ）",
        "; キー=種類,既定値,表示名,エディタ,パラメータ,ヘルプ",
        ";   種類 0 数値、1 文字列。\\\\ だけの欄は空、ヘルプの \\n は改行。",
    ],
}

# Where a comment line goes before the definition with that key.
GROUPS = {
    "Reserved0": ("General", "全般"),
    "HeightPortrait": ("Item size and page-turn edges", "項目の大きさとページ切替の端"),
    "IconBgColor": ("Slot colours", "アイコン背景の色"),
    "CaptionColor": ("Captions, frames, tasks and scrolling", "アイコン名、枠、タスク、スクロール"),
}

DEFAULT_EXCLUSION = "DuraruZur"


def write(path, lines, codec):
    data = "".join(line + "\r\n" for line in lines).encode(codec)
    with open(path, "wb") as f:
        f.write(data)


def definition_lines(name, lang, defs, groups):
    lines = list(HEADERS[(name, lang)])
    for d in defs:
        if d.key in groups:
            lines += ["", "; " + groups[d.key][lang]]
        lines.append(d.line(lang))
    return lines


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "sample")
    assert len(DEFS) == 49 and len(APP_DEFS) == 10
    for name, defs, groups in (("OrvaneSetInfo", DEFS, GROUPS), ("AppSetInfo", APP_DEFS, {})):
        write(os.path.join(folder, name + "Eng.ini"), definition_lines(name + "Eng.ini", EN, defs, groups), "ascii")
        write(os.path.join(folder, name + ".ini"), definition_lines(name + ".ini", JA, defs, groups), "cp932")
    write(os.path.join(folder, "Orvane.ini"),
          ["%s=%s" % (d.key, d.stored_value()) for d in DEFS] + ["Exclusion=" + DEFAULT_EXCLUSION], "ascii")


if __name__ == "__main__":
    main()
