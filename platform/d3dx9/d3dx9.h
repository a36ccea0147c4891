// The utility library as a whole.
#pragma once
#include "platform/d3dx9/d3dx9anim.h"
#include "platform/d3dx9/d3dx9core.h"
#include "platform/d3dx9/d3dx9math.h"
#include "platform/d3dx9/d3dx9mesh.h"
#include "platform/d3dx9/d3dx9tex.h"
