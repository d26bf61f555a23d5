#pragma once
// The tray's side of a hand-off: which image the icon shows.
namespace belegbote {

inline constexpr int ImageIdle = 1;
inline constexpr int ImageWorkGreen = 2;
inline constexpr int ImageWorkBlue = 3;

class TraySignal {
public:
    virtual ~TraySignal() = default;
    // Shows image 1, 2 or 3; does nothing when no icon is registered.
    virtual void ShowTrayImage(int imageNumber) = 0;
};

}  // namespace belegbote
