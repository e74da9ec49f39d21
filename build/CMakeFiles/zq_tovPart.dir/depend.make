# Empty dependencies file for zq_tovPart.
# This may be replaced when dependencies are built.
