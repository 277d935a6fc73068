// Answers the message boxes that this process shows, in turn, from a helper thread, and keeps
// their texts. Boxes beyond the answers given get OK (or Yes), so a wrong count fails, not hangs.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "driver/Driver.h"

class MessageBoxAnswers {
public:
    // before(i) runs on the helper thread while box i is shown, just before it is answered.
    explicit MessageBoxAnswers(std::vector<int> answers, std::function<void(size_t)> before = nullptr)
        : m_answers(std::move(answers)), m_before(std::move(before)), m_thread([this] { Run(); }) {}
    ~MessageBoxAnswers() { Finish(); }
    MessageBoxAnswers(const MessageBoxAnswers&) = delete;
    MessageBoxAnswers& operator=(const MessageBoxAnswers&) = delete;

    // The owner window of each box seen, in order (after Finish).
    const std::vector<HWND>& Owners() const { return m_owners; }
    // Stops answering; the texts of the boxes seen, in order.
    const std::vector<std::string>& Finish() {
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        return m_texts;
    }

private:
    void Run() {
        while (!m_stop) {
            const drive::MessageBoxSeen box = drive::WaitForMessageBox(GetCurrentProcessId(), 50);
            if (!box.window) continue;
            const size_t index = m_texts.size();
            m_texts.push_back(box.text);
            m_owners.push_back(GetWindow(box.window, GW_OWNER));
            if (m_before && index < m_answers.size()) m_before(index);
            const int answer = index < m_answers.size() ? m_answers[index] : IDOK;
            if (!drive::AnswerMessageBox(box, answer)) drive::AnswerMessageBox(box, IDYES);
            drive::WaitFor([&]() -> HWND { return IsWindow(box.window) ? nullptr : GetDesktopWindow(); }, 5000);
        }
    }

    std::vector<int> m_answers;
    std::function<void(size_t)> m_before;
    std::vector<std::string> m_texts;
    std::vector<HWND> m_owners;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
