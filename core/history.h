#pragma once

#include <cstddef>
#include <deque>
#include <utility>

namespace veq {

// The steps of one list's history, oldest first: the steps done, then those
// taken back, ready to be done again. A step says what it holds in bytes
// (`bytes()`), which may change as it is taken back or done again. The
// history keeps within its budget by forgetting its oldest steps done, but
// never the newest one: the last change can always be taken back.
template <typename Step> class History final {
public:
    explicit History(std::size_t budget) : m_budget(budget) {}

    // Records a step just done. The steps taken back are forgotten: the list
    // has gone another way.
    void push(Step step)
    {
        while (m_steps.size() > m_done) {
            m_bytes -= m_steps.back().bytes();
            m_steps.pop_back();
        }
        m_bytes += step.bytes();
        m_steps.push_back(std::move(step));
        ++m_done;
        keepWithinBudget();
    }

    // The step that undo or redo would take, or null.
    [[nodiscard]] const Step* toUndo() const { return m_done > 0 ? &m_steps[m_done - 1] : nullptr; }
    [[nodiscard]] const Step* toRedo() const { return m_done < m_steps.size() ? &m_steps[m_done] : nullptr; }

    // Takes the last step done back through takeBack(step), or does the next
    // step taken back again through doAgain(step); either may change what the
    // step holds. Nothing happens when there is no such step.
    template <typename Flip> void undo(Flip&& takeBack)
    {
        if (m_done > 0)
            flip(m_steps[--m_done], takeBack);
    }
    template <typename Flip> void redo(Flip&& doAgain)
    {
        if (m_done < m_steps.size())
            flip(m_steps[m_done++], doAgain);
    }

    [[nodiscard]] std::size_t size() const { return m_steps.size(); }
    [[nodiscard]] std::size_t bytes() const { return m_bytes; }

private:
    template <typename Flip> void flip(Step& step, Flip& change)
    {
        m_bytes -= step.bytes();
        change(step);
        m_bytes += step.bytes();
        keepWithinBudget();
    }

    void keepWithinBudget()
    {
        while (m_bytes > m_budget && m_done > 1) {
            m_bytes -= m_steps.front().bytes();
            m_steps.pop_front();
            --m_done;
        }
    }

    std::deque<Step> m_steps;
    std::size_t m_done = 0; // the steps before this one are done
    std::size_t m_bytes = 0;
    std::size_t m_budget;
};

} // namespace veq
