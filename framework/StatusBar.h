// The status bar of a frame window: a stretching message pane first, then indicator panes that
// are as wide as their texts. A disabled indicator keeps its width and shows nothing.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "framework/Handles.h"

namespace fw {

class CStatusBar {
public:
    // The child id of a frame's standard status bar.
    static constexpr UINT kDefaultId = 0xE801;

    // Aligned at the bottom of the parent, with a top border and a size grip.
    bool Create(HWND parent, UINT id = kDefaultId);
    // Pane 0 is the message pane (its text is the idle text); one pane follows per indicator.
    void SetIndicators(const std::string& idleText, const std::vector<std::string>& indicators);
    void EnablePane(size_t pane, bool enable);
    // The message pane: a prompt, or back to the idle text.
    void ShowMessage(const std::string& text) { setPaneText(0, text); }
    void ShowIdleText() { setPaneText(0, m_texts.empty() ? std::string() : m_texts[0]); }

    HWND hwnd() const { return m_window.get(); }
    int height() const;
    // Follows the parent's new size: the bar's own placement and the widths of its panes.
    void OnParentSize();

private:
    void setPaneText(size_t pane, const std::string& text);
    int textWidth(const std::string& text) const;

    UniqueWindow m_window;
    std::vector<std::string> m_texts;  // the message pane's idle text, then the indicators'
};

}  // namespace fw
