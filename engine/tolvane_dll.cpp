// The record database engine library; its functions come with the engine.
