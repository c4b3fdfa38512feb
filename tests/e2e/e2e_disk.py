"""(being written)"""

SCENARIOS = {}
