// Where loaders report what they skipped or cut: file, line number, reason.
// Loaders take an optional sink; without one they skip silently, as the
// device's loaders do. orvcfg lint prints the reports.
#pragma once

#include <string>
#include <vector>

struct Diagnostic {
    std::wstring file;
    int line = 0;  // 0: the file as a whole
    std::wstring reason;
};

class CDiagSink {
public:
    virtual void Report(const Diagnostic& d) = 0;

protected:
    ~CDiagSink() = default;
};

// A sink that keeps every report, in order.
class CDiagList final : public CDiagSink {
public:
    void Report(const Diagnostic& d) override { m_items.push_back(d); }
    const std::vector<Diagnostic>& Items() const { return m_items; }
    bool Empty() const { return m_items.empty(); }
    void Clear() { m_items.clear(); }

private:
    std::vector<Diagnostic> m_items;
};

inline void ReportTo(CDiagSink* sink, const std::wstring& file, int line, const std::wstring& reason)
{
    if (sink)
        sink->Report({file, line, reason});
}
