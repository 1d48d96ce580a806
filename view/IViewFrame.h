#pragma once

#include <string>

class CCueTime;
class CWavePos;
class IWavePlayer;
class QMenu;
class QString;
class QWidget;

// What the view and its commands need of the window they live in: the wave
// player and the position control of the current line, show-wave, the
// context menu, the command routing, and opening a dropped sheet. The main
// frame implements it, so the view knows no class of the application.
class IViewFrame
{
public:
    virtual ~IViewFrame() = default;

    // The player of the shown wave file, or null.
    virtual IWavePlayer* Player() const = 0;
    virtual CWavePos* PositionControl() const = 0;
    // Points the position control and the player at a wave file and time.
    virtual void ShowWave(const std::string& path, const CCueTime& position) = 0;
    // Makes the frame the player's position listener again.
    virtual void ReconnectPositionCallback() = 0;
    virtual QMenu* ContextMenu() const = 0;
    // Runs a command through the routing when it is enabled.
    virtual bool ExecuteCommand(int id) = 0;
    // Opens a sheet as the document, as File > Open does.
    virtual bool OpenSheet(const QString& path) = 0;
    // The window that owns the view's dialogs.
    virtual QWidget* Window() = 0;

protected:
    IViewFrame() = default;
    IViewFrame(const IViewFrame&) = default;
    IViewFrame& operator=(const IViewFrame&) = default;
};
