#include "render/gl/shader_generator.h"

#include <cstdio>

#include "render/gl/fixed_function_uniforms.h"

namespace {

// kPixelCentreShift as a GLSL literal, every digit kept.
std::string PixelCentreShiftLiteral() {
  char literal[32];
  std::snprintf(literal, sizeof literal, "%.9g", static_cast<double>(kPixelCentreShift));
  return literal;
}

std::string StageName(const char* prefix, DWORD stage) { return prefix + std::to_string(stage); }

// The input that carries texture coordinate set `set`.
std::string TexCoordSetName(unsigned set) { return "texCoordSet" + std::to_string(set); }

void DeclareTexCoordSets(const FixedFunctionKey& key, std::string& source) {
  bool declared[kMaxTexCoordSets] = {};
  for (const StageKey& stage : key.stages) {
    if (!stage.sampled || stage.texCoordSet == kNoTexCoordSet || declared[stage.texCoordSet]) {
      continue;
    }
    declared[stage.texCoordSet] = true;
    source += "layout(location = " + std::to_string(kFirstTexCoordAttribute + stage.texCoordSet) +
              ") in vec2 " + TexCoordSetName(stage.texCoordSet) + ";\n";
  }
}

// The clip position. Matrices arrive as D3D's rows, which GLSL reads as columns: the
// transposed matrix, so M^T * v is the row-vector product v * M. D3D's clip depth runs
// from 0 to w and OpenGL's from -w to w. D3D's clip y points up the picture, as OpenGL's
// does in a render target whose top row is its highest.
void WritePosition(const FixedFunctionKey& key, std::string& source) {
  if (key.pretransformed) {
    // Clip position = (x_ndc, y_ndc, z_ndc, 1) / rhw, so that what is interpolated
    // across the primitive stays perspective-correct.
    source +=
        "  float w = position.w > 0.0 ? 1.0 / position.w : 1.0;\n"
        "  gl_Position = vec4(position.xy * pixelToNdc.xy + pixelToNdc.zw,\n"
        "                     position.z * 2.0 - 1.0, 1.0) * w;\n";
  } else {
    // Direct3D samples pixel centres at whole pixels, OpenGL half a pixel further on: the
    // same (almost) half-pixel shift as pre-transformed vertices get, made in clip space
    // (pixelToNdc.xy is one pixel in NDC, y downward) so that it holds for any target size
    // and viewport.
    source += "  vec4 clip = worldViewProjection * position;\n";
    source += "  vec2 centreShift = pixelToNdc.xy * (";
    source += PixelCentreShiftLiteral() + " * clip.w);\n";
    source += "  gl_Position = vec4(clip.xy + centreShift, clip.z * 2.0 - clip.w, clip.w);\n";
  }
}

void WriteTexCoords(const FixedFunctionKey& key, std::string& source) {
  for (DWORD stage = 0; stage < kBlendStageCount; ++stage) {
    const StageKey& stageKey = key.stages[stage];
    if (!stageKey.sampled) continue;
    const std::string input = stageKey.texCoordSet == kNoTexCoordSet
                                  ? std::string("vec2(0.0)")
                                  : TexCoordSetName(stageKey.texCoordSet);
    // Appended piece by piece: GCC 12 at -O3 takes a chain of string concatenations here
    // for overlapping copies and warns (-Wrestrict) about a copy that never happens.
    source += "  ";
    source += StageName("texCoord", stage);
    source += " = ";
    if (stageKey.transformed) {
      // (u, v, 1, 0) * M: the third row translates, the fourth is ignored.
      source += "(";
      source += StageName("textureMatrix", stage);
      source += " * vec4(";
      source += input;
      source += ", 1.0, 0.0)).xy;\n";
    } else {
      source += input;
      source += ";\n";
    }
  }
}

std::string ArgumentValue(StageArg arg, DWORD stage, const char* channels) {
  switch (arg) {
    case StageArg::Diffuse: return std::string("diffuse") + channels;
    case StageArg::Current: return std::string("current") + channels;
    case StageArg::Texture: return StageName("texel", stage) + channels;
    case StageArg::White: break;
  }
  return std::string("vec4(1.0)") + channels;
}

std::string Combine(StageOp op, const std::string& arg1, const std::string& arg2) {
  switch (op) {
    case StageOp::SelectArg1: return arg1;
    case StageOp::SelectArg2: return arg2;
    case StageOp::Modulate: return arg1 + " * " + arg2;
    case StageOp::Modulate2x: return "min(" + arg1 + " * " + arg2 + " * 2.0, 1.0)";
    case StageOp::Add: return "min(" + arg1 + " + " + arg2 + ", 1.0)";
    case StageOp::Disabled: break;
  }
  return "current";
}

// Each stage reads what the previous one left in `current`; colour and alpha are
// separate halves, so writing one does not disturb what the other reads.
void WriteStages(const FixedFunctionKey& key, std::string& source) {
  for (DWORD stage = 0; stage < kBlendStageCount; ++stage) {
    const StageKey& stageKey = key.stages[stage];
    if (stageKey.colorOp == StageOp::Disabled) break;
    if (stageKey.sampled) {
      source += "  vec4 " + StageName("texel", stage) + " = texture(" +
                StageName("stageTexture", stage) + ", " + StageName("texCoord", stage) + ");\n";
    }
    source += "  current.rgb = " +
              Combine(stageKey.colorOp, ArgumentValue(stageKey.colorArg1, stage, ".rgb"),
                      ArgumentValue(stageKey.colorArg2, stage, ".rgb")) +
              ";\n";
    if (stageKey.alphaOp != StageOp::Disabled) {
      source += "  current.a = " +
                Combine(stageKey.alphaOp, ArgumentValue(stageKey.alphaArg1, stage, ".a"),
                        ArgumentValue(stageKey.alphaArg2, stage, ".a")) +
                ";\n";
    }
  }
}

// The comparison that lets a fragment through: its alpha, in 8-bit steps as the target
// stores it, against the reference.
std::string AlphaTestPasses(uint8_t function) {
  static const char* const kOperators[] = {"", "", "<", "==", "<=", ">", "!=", ">="};
  if (function == D3DCMP_NEVER) return "false";
  return std::string("floor(current.a * 255.0 + 0.5) ") + kOperators[function] + " alphaReference";
}

// The distance fog goes by, passed from vertex to fragment: a pre-transformed vertex's
// depth is already a screen-space value, so it is interpolated linearly on the screen.
std::string FogDistanceDeclaration(const FixedFunctionKey& key, const char* direction) {
  std::string declaration = key.pretransformed ? "noperspective " : "";
  declaration += direction;
  declaration += " float fogDistance;\n";
  return declaration;
}

}  // namespace

std::string GenerateVertexShader(const FixedFunctionKey& key) {
  std::string source = "#version 330 core\nlayout(location = " +
                       std::to_string(kPositionAttribute) + ") in vec4 position;\n";
  if (key.hasDiffuse) {
    source += "layout(location = " + std::to_string(kDiffuseAttribute) +
              ") in vec4 vertexDiffuse;\n";
  }
  DeclareTexCoordSets(key, source);
  source += "uniform vec4 pixelToNdc;\n";
  if (!key.pretransformed) source += "uniform mat4 worldViewProjection;\n";
  for (DWORD stage = 0; stage < kBlendStageCount; ++stage) {
    if (key.stages[stage].transformed) {
      source += "uniform mat4 " + StageName("textureMatrix", stage) + ";\n";
    }
    if (key.stages[stage].sampled) source += "out vec2 " + StageName("texCoord", stage) + ";\n";
  }
  source += "out vec4 diffuse;\n";
  if (key.fog) source += FogDistanceDeclaration(key, "out");

  source += "void main() {\n";
  WritePosition(key, source);
  source += key.hasDiffuse ? "  diffuse = vertexDiffuse;\n" : "  diffuse = vec4(1.0);\n";
  WriteTexCoords(key, source);
  if (key.fog) {
    // Table fog goes by the eye distance (the clip w) of transformed vertices, and by the
    // depth value z of pre-transformed ones, whatever their reciprocal w.
    source += key.pretransformed ? "  fogDistance = position.z;\n"
                                 : "  fogDistance = gl_Position.w;\n";
  }
  source += "}\n";
  return source;
}

std::string GenerateFragmentShader(const FixedFunctionKey& key) {
  std::string source = "#version 330 core\nin vec4 diffuse;\n";
  for (DWORD stage = 0; stage < kBlendStageCount; ++stage) {
    if (!key.stages[stage].sampled) continue;
    source += "in vec2 " + StageName("texCoord", stage) + ";\n";
    source += "uniform sampler2D " + StageName("stageTexture", stage) + ";\n";
  }
  if (key.fog) {
    source += FogDistanceDeclaration(key, "in");
    source += "uniform vec3 fogColor;\nuniform vec2 fogLine;\n";
  }
  if (key.alphaTest != 0) source += "uniform float alphaReference;\n";
  source += "out vec4 fragmentColor;\n";

  source += "void main() {\n  vec4 current = diffuse;\n";
  WriteStages(key, source);
  if (key.alphaTest != 0) source += "  if (!(" + AlphaTestPasses(key.alphaTest) + ")) discard;\n";
  if (key.fog) {
    // Fog follows the stages and leaves alpha alone; fogLine holds end / (end - start)
    // and 1 / (end - start).
    source +=
        "  float fogFactor = clamp(fogLine.x - fogDistance * fogLine.y, 0.0, 1.0);\n"
        "  current.rgb = mix(fogColor, current.rgb, fogFactor);\n";
  }
  source += "  fragmentColor = current;\n}\n";
  return source;
}
