#pragma once

namespace guidance {

// How a larger dialog stands above the assistant. The assistant first goes
// back to its corner (screen width - its width - cx, screen height - its
// height - cy) when its left < dialog width - its width + a or its top <
// dialog height + b; then the dialog's left = assistant left + assistant
// width - dialog width - c and its top = assistant top - dialog height + 30.
struct PanelPlacement
{
    int a;
    int b;
    int cx;
    int cy;
    int c;

    // Find, report chooser, open-catalogue and optional-catalogue dialogs.
    static const PanelPlacement Standard;
    // The help dialog.
    static const PanelPlacement Help;
};

inline constexpr PanelPlacement PanelPlacement::Standard{36, -28, 12, 30, 38};
inline constexpr PanelPlacement PanelPlacement::Help{30, 10, 7, 25, 40};

} // namespace guidance
