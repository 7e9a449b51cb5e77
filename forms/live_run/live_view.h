#pragma once

class ProgressStrip;
class TsuiMemo;

// Where a run shows itself while it lasts: the log that will receive its report shows the child's
// output as it arrives, and the strip shows avrdude's own progress.
struct LiveView {
    TsuiMemo *log = nullptr;
    ProgressStrip *progress = nullptr;
};
