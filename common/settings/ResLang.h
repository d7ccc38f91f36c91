// The settings program's resources come in a Japanese and an English form.
// The code always names the Japanese resource; when the program runs in
// English, one table turns that id into its English twin. Templates, menus
// and strings are numbered separately (template 134 and string 134 are
// different resources), so the table is kept per kind.
#pragma once

enum class ResKind { Dialog, Menu, String };

// The id to load: japaneseId itself in Japanese, its English twin otherwise
// (itself when it has none).
unsigned MapResId(ResKind kind, unsigned japaneseId, bool japanese);
