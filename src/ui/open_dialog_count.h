#pragma once
// OpenDialogCount, shared by the whole program: the number of message boxes, dialogs and auxiliary
// windows open. Every one adds to it when shown and takes the same amount off when closed (the
// chapters window counts five). Several commands refuse to run, and full screen keeps the
// cursor visible, while it is not 0. The main window owns the one counter of the program.

namespace kravelo {

class OpenDialogCounter {
public:
    int Value() const { return count_; }
    bool AnyOpen() const { return count_ != 0; }
    void Add(int n = 1) { count_ += n; }
    void Remove(int n = 1) { count_ -= n; }

private:
    int count_ = 0;
};

// Counts for as long as it lives.
class OpenDialogScope {
public:
    explicit OpenDialogScope(OpenDialogCounter& counter, int n = 1) : counter_(counter), n_(n) {
        counter_.Add(n_);
    }
    ~OpenDialogScope() { counter_.Remove(n_); }
    OpenDialogScope(const OpenDialogScope&) = delete;
    OpenDialogScope& operator=(const OpenDialogScope&) = delete;

private:
    OpenDialogCounter& counter_;
    int n_;
};

}  // namespace kravelo
