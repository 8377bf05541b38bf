#pragma once

// The resistance of a coil's wire at its running frequency, in SI units.
namespace resonex::physics {

// Annealed copper at 20 degrees C, the International Annealed Copper
// Standard (IEC 60028): 1/58 ohm mm^2/m.
inline constexpr double kCopperResistivity = 1.0 / 58e6;

// A round wire alone and straight, skin effect included:
// R_dc·Re[(kr/2)·J0(kr)/J1(kr)], k = (1-j)/delta.
double skinEffectResistance(double length, double diameter, double hz, double resistivity);

// How much the field of a single-layer solenoid's other turns raises its
// wire's resistance above the same wire's alone (the proximity effect), for
// its winding length over its diameter and its wire's diameter over the
// winding pitch (1: turns touching; clamped to 0..1).
double proximityFactor(double lengthOverDiameter, double wireOverPitch);

// A single-layer solenoid wound from `wireLength` of wire: the wire's
// skin-effect resistance times its proximity factor.
struct Solenoid {
    double wireLength = 0;
    double wireDiameter = 0;
    double pitch = 0; // from one turn's centre to the next
    double windingLength = 0;
    double coilDiameter = 0;
};
double solenoidResistance(const Solenoid& coil, double hz, double resistivity);

} // namespace resonex::physics
