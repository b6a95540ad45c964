#pragma once

// The two flags of the program's text fields (CMenuEdit, CMenuTextEdit) that the Edit menu reads.
class CMenuEditFlags {
public:
    virtual ~CMenuEditFlags() = default;

    // The extended Edit menu, with "Log Template" and "Auto Insert" (the log notes only).
    bool Extended() const { return m_extended; }
    void SetExtended(bool extended) { m_extended = extended; }
    // A template put in with "Log Template" counts a find (the log notes while the log type is
    // Found).
    bool CountsFind() const { return m_countsFind; }
    void SetCountsFind(bool countsFind) { m_countsFind = countsFind; }

private:
    bool m_extended = false;
    bool m_countsFind = false;
};
