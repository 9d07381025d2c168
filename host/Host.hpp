#pragma once

// The whole presentation object model, for tool code.
#include "host/Application.hpp"
#include "host/HostError.hpp"
#include "host/MsoConstants.hpp"
#include "host/Presentation.hpp"
#include "host/Shape.hpp"
#include "host/Slide.hpp"
#include "host/TextRange.hpp"
