// The dump of the loaded model: motions, frames, sheets and pages.
#pragma once

#include <functional>
#include <string>

class CMotionTable;
class CSheet;
class CPageMng;

using PrintFn = std::function<void(const std::wstring&)>;

void DumpMotions(const CMotionTable& motions, const PrintFn& print);
void DumpFrames(const CSheet& sheet, const PrintFn& print);
void DumpSheets(const CSheet& sheet, const CMotionTable& motions, const PrintFn& print);
void DumpPages(const CPageMng& pages, const PrintFn& print);
