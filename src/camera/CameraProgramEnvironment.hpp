#pragma once

#include "foundation/AlertPresenter.hpp"
#include "foundation/Queue.hpp"

#include <memory>

namespace spinewise {

/// What the running program lends Camera::shared: its main queue and its
/// alert presenter, installed once at start-up before the camera is first
/// used. The shared camera captures from the system's cameras and from the
/// clips listed in SPINEWISE_REPLAY_DEVICES (those first). Tests build
/// cameras from their own parts and never come here.
class CameraProgramEnvironment {
public:
    /// `alerts` may be null: alerts then become diagnostic lines.
    static void install(std::shared_ptr<Queue> mainQueue, std::shared_ptr<AlertPresenter> alerts);
};

}  // namespace spinewise
